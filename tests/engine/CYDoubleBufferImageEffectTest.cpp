#include <gtest/gtest.h>

#include "CYDoubleBufferImageEffect.h"
#include "TestPixels.h"

namespace {

// Mirrors the luma plane left to right; the result must come back grey and mirrored.
class MirrorLuma : public CYDoubleBufferImageEffect
{
public:
    void ProcessY() override
    {
        ++calls;
        for (int y = 0; y < mHeight; ++y)
            for (int x = 0; x < mWidth; ++x)
                mYPlane2[static_cast<size_t>(y) * mWidth + x] =
                    mYPlane[static_cast<size_t>(y) * mWidth + (mWidth - 1 - x)];
    }
    int calls = 0;
};

TEST(CYDoubleBufferImageEffect, PaintsTheSecondPlaneBackInGrey)
{
    TestPixels pixels(3, 2, 4);
    pixels.set(0, 0, 255, 0, 0);     // luma 81 -> grey 75
    pixels.set(2, 0, 255, 255, 255); // luma 235 -> grey 254
    pixels.set(1, 0, 0, 0, 0);
    pixels.set(0, 1, 0, 0, 0);
    pixels.set(1, 1, 0, 0, 0);
    pixels.set(2, 1, 0, 0, 0);
    MirrorLuma effect;
    effect.SetInput(pixels.data(), 3, 2, 16);
    ASSERT_EQ(effect.Process(), 1);
    EXPECT_EQ(effect.calls, 1);
    EXPECT_EQ(pixels.rgb(0, 0), (std::vector<int>{254, 254, 254}));
    EXPECT_EQ(pixels.rgb(1, 0), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(pixels.rgb(2, 0), (std::vector<int>{75, 75, 75}));
    EXPECT_EQ(pixels.at(2, 0)[3], 0xA5);
    EXPECT_EQ(pixels.bytes[12], 0xA5); // padding
}

TEST(CYDoubleBufferImageEffect, OnePixelAndRepeatedRuns)
{
    MirrorLuma effect;
    for (auto [w, h] : {std::pair{1, 1}, std::pair{5, 1}, std::pair{1, 5}, std::pair{7, 7}}) {
        TestPixels pixels = TestPixels::solid(w, h, 128, 128, 128);
        effect.SetInput(pixels.data(), static_cast<unsigned short>(w),
                        static_cast<unsigned short>(h), static_cast<unsigned short>(4 * w));
        ASSERT_EQ(effect.Process(), 1);
        EXPECT_EQ(pixels.rgb(w - 1, h - 1), (std::vector<int>{128, 128, 128}));
    }
}

} // namespace

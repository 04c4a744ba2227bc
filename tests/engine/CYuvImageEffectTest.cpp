#include <gtest/gtest.h>

#include <cstdlib>

#include "CYBufferImageEffect.h"
#include "CYuvImageEffect.h"
#include "TestPixels.h"
#include "UColorSpace.h"

namespace {

// The families used as they stand: a plain conversion there and back.
class PlainYuv : public CYuvImageEffect
{
};
class PlainY : public CYBufferImageEffect
{
};

// A YCbCr effect that swaps the chroma planes, to see that hooks get the planes.
class SwapChroma : public CYuvImageEffect
{
public:
    void ProcessRgbFromYuv(unsigned char *y, unsigned char *cb, unsigned char *cr) override
    {
        CYuvImageEffect::ProcessRgbFromYuv(y, cr, cb);
    }
};

TEST(CYuvImageEffect, RoundTripLosesAtMostTheConversionError)
{
    TestPixels pixels = TestPixels::random(17, 9, 3, 12);
    const TestPixels before = pixels;
    PlainYuv effect;
    ASSERT_EQ(pixels.processWith(effect), 1);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 17; ++x)
            for (int c = 0; c < 3; ++c)
                EXPECT_LE(std::abs(pixels.rgb(x, y)[c] - before.rgb(x, y)[c]), 4);
    // Padding and fourth bytes untouched.
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 17; ++x)
            EXPECT_EQ(pixels.at(x, y)[3], 0xA5);
        for (int i = 68; i < 80; ++i)
            EXPECT_EQ(pixels.bytes[static_cast<size_t>(y) * 80 + i], 0xA5);
    }
}

TEST(CYuvImageEffect, KnownColoursComeBackAsTheConversionPairGives)
{
    TestPixels pixels(3, 1);
    pixels.set(0, 0, 255, 0, 0);
    pixels.set(1, 0, 255, 255, 255);
    pixels.set(2, 0, 128, 128, 128);
    PlainYuv effect;
    ASSERT_EQ(pixels.processWith(effect), 1);
    EXPECT_EQ(pixels.rgb(0, 0), (std::vector<int>{252, 0, 0}));
    EXPECT_EQ(pixels.rgb(1, 0), (std::vector<int>{254, 254, 254}));
    EXPECT_EQ(pixels.rgb(2, 0), (std::vector<int>{128, 128, 128}));
}

TEST(CYuvImageEffect, HooksReceiveThePlanesInOrder)
{
    TestPixels pixels(1, 1);
    pixels.set(0, 0, 255, 0, 0); // Y 81, Cb 90, Cr 239
    SwapChroma effect;
    ASSERT_EQ(pixels.processWith(effect), 1);
    unsigned char r, g, b;
    UColorSpace::YCbCrtoRbg(81, 239, 90, &r, &g, &b);
    EXPECT_EQ(pixels.rgb(0, 0), (std::vector<int>{r, g, b}));
}

TEST(CYBufferImageEffect, IgnoresColourKeepingLumaOnly)
{
    TestPixels pixels(2, 2);
    pixels.set(0, 0, 255, 0, 0);
    pixels.set(1, 0, 76, 76, 76); // same luma as pure red (81)
    pixels.set(0, 1, 0, 0, 0);
    pixels.set(1, 1, 255, 255, 255);
    PlainY effect;
    ASSERT_EQ(pixels.processWith(effect), 1);
    EXPECT_EQ(pixels.rgb(0, 0), (std::vector<int>{75, 75, 75}));
    EXPECT_EQ(pixels.rgb(1, 0), (std::vector<int>{75, 75, 75}));
    EXPECT_EQ(pixels.rgb(0, 1), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(pixels.rgb(1, 1), (std::vector<int>{254, 254, 254}));
}

TEST(CYuvImageEffect, RunsAgainOnPicturesOfOtherSizes)
{
    PlainYuv yuv;
    PlainY luma;
    for (auto [w, h] : {std::pair{1, 1}, std::pair{40, 3}, std::pair{1, 30}, std::pair{2, 2}}) {
        TestPixels a = TestPixels::gradient(w, h, 4);
        TestPixels b = a;
        ASSERT_EQ(a.processWith(yuv), 1);
        ASSERT_EQ(b.processWith(luma), 1);
        EXPECT_EQ(b.at(w - 1, h - 1)[0], b.at(w - 1, h - 1)[1]);
    }
}

} // namespace

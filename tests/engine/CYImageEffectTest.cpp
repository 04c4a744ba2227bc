#include <gtest/gtest.h>

#include "CYImageEffect.h"
#include "TestPixels.h"

namespace {

class Tinted : public CYImageEffect
{
public:
    Tinted(unsigned char noise, unsigned char cb = 128, unsigned char cr = 128)
    {
        mNoise = noise;
        mCb = cb;
        mCr = cr;
    }
};

TEST(CYImageEffect, PaintsLumaBackInGrey)
{
    TestPixels pixels(3, 1);
    pixels.set(0, 0, 255, 0, 0);
    pixels.set(1, 0, 255, 255, 255);
    pixels.set(2, 0, 0, 0, 0);
    Tinted grey(0);
    ASSERT_EQ(pixels.processWith(grey), 1);
    EXPECT_EQ(pixels.rgb(0, 0), (std::vector<int>{75, 75, 75})); // luma 81
    EXPECT_EQ(pixels.rgb(1, 0), (std::vector<int>{254, 254, 254}));
    EXPECT_EQ(pixels.rgb(2, 0), (std::vector<int>{0, 0, 0}));
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(pixels.at(x, 0)[3], 0xA5);
}

TEST(CYImageEffect, SameLumaGivesTheSameTint)
{
    // Red and a grey of the same luma (81): (255,0,0) and (76,76,76) -> luma 81 for both.
    TestPixels pixels(2, 1);
    pixels.set(0, 0, 255, 0, 0);
    pixels.set(1, 0, 76, 76, 76);
    Tinted sepia(0, 100, 150);
    ASSERT_EQ(pixels.processWith(sepia), 1);
    EXPECT_EQ(pixels.rgb(0, 0), pixels.rgb(1, 0));
    EXPECT_GT(pixels.rgb(0, 0)[0], pixels.rgb(0, 0)[2]); // Cr > 128, Cb < 128: warm
}

TEST(CYImageEffect, WithoutNoiseDrawsNoRandomNumber)
{
    TestPixels pixels = TestPixels::random(8, 8, 1);
    CImageEffect::Seed(77);
    Tinted grey(0);
    ASSERT_EQ(pixels.processWith(grey), 1);
    EXPECT_EQ(CRandom::Current().Next(), CRandom(77).Next());
}

TEST(CYImageEffect, WithNoiseDrawsFourNumbersPerPixel)
{
    TestPixels pixels = TestPixels::random(5, 3, 2);
    CImageEffect::Seed(78);
    Tinted noisy(6);
    ASSERT_EQ(pixels.processWith(noisy), 1);
    CRandom expected(78);
    for (int i = 0; i < 4 * 5 * 3; ++i)
        expected.Next();
    EXPECT_EQ(CRandom::Current().Next(), expected.Next());
}

TEST(CYImageEffect, NoiseIsReproducibleFromASeedAndStaysGrey)
{
    TestPixels first = TestPixels::solid(6, 6, 128, 128, 128, 8);
    TestPixels second = first;
    Tinted noisy(2);
    CImageEffect::Seed(5);
    ASSERT_EQ(first.processWith(noisy), 1);
    CImageEffect::Seed(5);
    ASSERT_EQ(second.processWith(noisy), 1);
    EXPECT_EQ(first.bytes, second.bytes);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            for (int c : first.rgb(x, y)) {
                EXPECT_GE(c, 128 - 10 - 8); // luma noise (scaled by 149/128), then colour noise
                EXPECT_LE(c, 128 + 10 + 8);
            }
}

} // namespace

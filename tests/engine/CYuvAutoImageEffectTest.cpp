#include <gtest/gtest.h>

#include "CYuvAutoImageEffect.h"
#include "TestPixels.h"

namespace {

class Measure : public CYuvAutoImageEffect
{
public:
    // The statistics must be complete before colour is rebuilt.
    void ProcessRgbFromYuv(unsigned char *y, unsigned char *cb, unsigned char *cr) override
    {
        seenMeanY = mMeanY;
        CYuvAutoImageEffect::ProcessRgbFromYuv(y, cb, cr);
    }
    int seenMeanY = -1;
};

TEST(CYuvAutoImageEffect, OneColourHasEqualExtremesAndMean)
{
    TestPixels pixels = TestPixels::solid(7, 5, 255, 0, 0); // Y 81, Cb 90, Cr 239
    Measure effect;
    ASSERT_EQ(pixels.processWith(effect), 1);
    EXPECT_EQ(effect.GetMinY(), 81);
    EXPECT_EQ(effect.GetMaxY(), 81);
    EXPECT_EQ(effect.GetMeanY(), 81);
    EXPECT_EQ(effect.GetMinCb(), 90);
    EXPECT_EQ(effect.GetMaxCb(), 90);
    EXPECT_EQ(effect.GetMeanCb(), 90);
    EXPECT_EQ(effect.GetMinCr(), 239);
    EXPECT_EQ(effect.GetMaxCr(), 239);
    EXPECT_EQ(effect.GetMeanCr(), 239);
    EXPECT_EQ(effect.seenMeanY, 81);
}

TEST(CYuvAutoImageEffect, MeansTruncate)
{
    // Black has luma 16; (1, 1, 1) has luma 16 + (66 + 129 + 25) / 256 = 16, (2,2,2) -> 17.
    TestPixels pixels(2, 1);
    pixels.set(0, 0, 0, 0, 0);
    pixels.set(1, 0, 2, 2, 2);
    Measure effect;
    ASSERT_EQ(pixels.processWith(effect), 1);
    EXPECT_EQ(effect.GetMinY(), 16);
    EXPECT_EQ(effect.GetMaxY(), 17);
    EXPECT_EQ(effect.GetMeanY(), 16);
}

TEST(CYuvAutoImageEffect, StatisticsAreMeasuredAfreshEveryRun)
{
    Measure effect;
    TestPixels black = TestPixels::solid(4, 4, 0, 0, 0);
    TestPixels white = TestPixels::solid(2, 3, 255, 255, 255);
    ASSERT_EQ(black.processWith(effect), 1);
    ASSERT_EQ(white.processWith(effect), 1);
    EXPECT_EQ(effect.GetMinY(), 235);
    EXPECT_EQ(effect.GetMaxY(), 235);
    EXPECT_EQ(effect.GetMeanY(), 235);
}

TEST(CYuvAutoImageEffect, ExtremesOfAMixedPicture)
{
    TestPixels pixels(3, 1);
    pixels.set(0, 0, 0, 0, 0);       // Y 16  Cb 128 Cr 128
    pixels.set(1, 0, 255, 255, 255); // Y 235 Cb 128 Cr 128
    pixels.set(2, 0, 255, 0, 0);     // Y 81  Cb 90  Cr 239
    Measure effect;
    ASSERT_EQ(pixels.processWith(effect), 1);
    EXPECT_EQ(effect.GetMinY(), 16);
    EXPECT_EQ(effect.GetMaxY(), 235);
    EXPECT_EQ(effect.GetMeanY(), (16 + 235 + 81) / 3);
    EXPECT_EQ(effect.GetMinCb(), 90);
    EXPECT_EQ(effect.GetMaxCr(), 239);
    EXPECT_EQ(effect.GetMeanCr(), (128 + 128 + 239) / 3);
}

} // namespace

// The automatic corrections: lookups for chosen statistics, and whole pictures whose
// statistics and results are worked by hand.

#include <gtest/gtest.h>

#include "CAutoColorBalanceImageEffect.h"
#include "CAutoCorrectionImageEffect.h"
#include "CAutoSaturationImageEffect.h"
#include "EffectTestSupport.h"

namespace {

// The statistics set directly, so that a lookup can be built for chosen values.
struct LumaStretch : CAutoCorrectionImageEffect
{
    const unsigned char *Build(int max, int min, int mean)
    {
        mMaxY = static_cast<unsigned char>(max);
        mMinY = static_cast<unsigned char>(min);
        mMeanY = static_cast<unsigned char>(mean);
        BuildYLookup();
        return mYLookup;
    }
};

struct ChromaStretch : CAutoSaturationImageEffect
{
    ChromaStretch(int max, int min, int mean)
    {
        mMaxCb = mMaxCr = static_cast<unsigned char>(max);
        mMinCb = mMinCr = static_cast<unsigned char>(min);
        mMeanCb = mMeanCr = static_cast<unsigned char>(mean);
        BuildULookup();
        BuildVLookup();
    }
    const unsigned char *U() const { return mULookup; }
    const unsigned char *V() const { return mVLookup; }
};

std::vector<int> Read(const unsigned char *lookup, std::vector<int> at)
{
    for (int &i : at)
        i = lookup[i];
    return at;
}

TEST(AutoCorrection, StretchesLumaByTheLargerFactorAroundTheCentre)
{
    // Centre (120 + 100) / 2 = 110; factors 128/90 and 128/70, the larger taken.
    LumaStretch stretch;
    EXPECT_EQ(Read(stretch.Build(200, 40, 100), {40, 60, 100, 110, 120, 200}),
              (std::vector<int>{16, 36, 109, 128, 146, 239}));
}

TEST(AutoCorrection, MeasuresAndStretchesAWholePicture)
{
    // Greys of luma 40, 200 and 60: maximum 200, minimum 40, mean 100, as above.
    TestPixels pixels(3, 1, 2);
    pixels.set(0, 0, 28, 28, 28);
    pixels.set(1, 0, 215, 215, 215);
    pixels.set(2, 0, 52, 52, 52);
    CAutoCorrectionImageEffect effect;
    Apply(effect, pixels);
    EXPECT_EQ(pixels.rgb(0, 0), (std::vector<int>{0, 0, 0}));       // luma 16
    EXPECT_EQ(pixels.rgb(1, 0), (std::vector<int>{255, 255, 255})); // luma 239
    EXPECT_EQ(pixels.rgb(2, 0), (std::vector<int>{23, 23, 23}));    // luma 36
}

TEST(AutoSaturation, StretchesCbByTheSmallerFactorDampedAndCrUndamped)
{
    // Centre (125 + 130) / 2 = 127; factors 128/33 and 128/37, the smaller taken;
    // Cb's narrowed by 0.9.
    const ChromaStretch stretch(160, 90, 130);
    EXPECT_EQ(Read(stretch.U(), {90, 120, 127, 130, 160}),
              (std::vector<int>{12, 106, 128, 137, 230}));
    EXPECT_EQ(Read(stretch.V(), {90, 120, 127, 130, 160}),
              (std::vector<int>{0, 103, 128, 138, 242}));
}

// A grey of luma 128 and pure blue (luma 40, Cb 239, Cr 110): Cb spans 128..239 around
// mean 183, Cr 110..128 around mean 119.
TestPixels GreyAndBlue()
{
    TestPixels pixels(2, 1, 3);
    pixels.set(0, 0, 131, 131, 131);
    pixels.set(1, 0, 0, 0, 255);
    return pixels;
}

TEST(AutoSaturation, StretchesEachChromaOfAPictureThroughItsOwnLookup)
{
    // Cb by 0.9 x 128/56, Cr by 128/9: grey (128, 14, 255), blue (40, 243, 0).
    TestPixels pixels = GreyAndBlue();
    CAutoSaturationImageEffect effect;
    Apply(effect, pixels);
    EXPECT_EQ(pixels.rgb(0, 0), (std::vector<int>{255, 71, 0}));
    EXPECT_EQ(pixels.rgb(1, 0), (std::vector<int>{0, 87, 255}));
}

TEST(AutoColorBalance, ShiftsTheMeanChromaToNeutral)
{
    // Cb moves by 128 - 183, Cr by 128 - 119: grey (128, 73, 137), blue (40, 184, 119).
    TestPixels pixels = GreyAndBlue();
    CAutoColorBalanceImageEffect effect;
    Apply(effect, pixels);
    EXPECT_EQ(pixels.rgb(0, 0), (std::vector<int>{144, 144, 19}));
    EXPECT_EQ(pixels.rgb(1, 0), (std::vector<int>{13, 13, 140}));
    // A single colour becomes the grey of its luma: red's 81 converts back to 75.
    TestPixels red = TestPixels::solid(3, 2, 255, 0, 0);
    Apply(effect, red);
    EXPECT_EQ(red.rgb(2, 1), (std::vector<int>{75, 75, 75}));
}

} // namespace

// The automatic corrections: their lookups for known statistics, and whole pictures
// whose statistics and results are worked by hand.

#include <vector>

#include <gtest/gtest.h>

#include "ApplyEffect.h"
#include "CAutoColorBalanceImageEffect.h"
#include "CAutoCorrectionImageEffect.h"
#include "CAutoSaturationImageEffect.h"

namespace {

// Sets the statistics directly, so that a lookup can be built for chosen values.
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
    void Set(int max, int min, int mean)
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

struct LookupEntry
{
    int in, out;
};

void ExpectEntries(const unsigned char *lookup, const std::vector<LookupEntry> &entries)
{
    for (const LookupEntry &e : entries)
        EXPECT_EQ(lookup[e.in], e.out) << "entry " << e.in;
}

TEST(AutoCorrection, StretchesLumaByTheLargerFactorAroundTheCentre)
{
    // Centre (120 + 100) / 2 = 110; factors 128/90 and 128/70, the larger taken.
    LumaStretch stretch;
    ExpectEntries(stretch.Build(200, 40, 100),
                  {{40, 16}, {60, 36}, {100, 109}, {110, 128}, {120, 146}, {200, 239}});
}

TEST(AutoCorrection, KeepsEveryLumaInTheStudioRange)
{
    LumaStretch stretch;
    for (auto stats : {std::vector<int>{235, 16, 30}, {130, 120, 121}, {200, 198, 199}}) {
        const unsigned char *lookup = stretch.Build(stats[0], stats[1], stats[2]);
        for (int i = 0; i < 256; ++i) {
            EXPECT_GE(lookup[i], 16) << "entry " << i;
            EXPECT_LE(lookup[i], 239) << "entry " << i;
            if (i > 0) {
                EXPECT_GE(lookup[i], lookup[i - 1]) << "entry " << i;
            }
        }
    }
}

TEST(AutoCorrection, LeavesAPictureWithoutSpreadAsTheRoundTripGivesIt)
{
    LumaStretch stretch;
    const unsigned char *lookup = stretch.Build(150, 150, 150);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(lookup[i], i);
    // Grey 131 has luma 128, which converts back to 130.
    TestPixels grey = TestPixels::solid(5, 3, 131, 131, 131);
    Apply(stretch, grey);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(grey.rgb(x, y), (std::vector<int>{130, 130, 130}));
}

TEST(AutoCorrection, MeasuresAndStretchesAWholePicture)
{
    // Greys of luma 40, 200 and 60: maximum 200, minimum 40, mean 100.
    TestPixels pixels(3, 1, 2);
    pixels.set(0, 0, 28, 28, 28);
    pixels.set(1, 0, 215, 215, 215);
    pixels.set(2, 0, 52, 52, 52);
    CAutoCorrectionImageEffect effect;
    Apply(effect, pixels);
    EXPECT_EQ(effect.GetMaxY(), 200);
    EXPECT_EQ(effect.GetMinY(), 40);
    EXPECT_EQ(effect.GetMeanY(), 100);
    // Lumas 16, 239 and 36 converted back.
    EXPECT_EQ(pixels.rgb(0, 0), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(pixels.rgb(1, 0), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(pixels.rgb(2, 0), (std::vector<int>{23, 23, 23}));
}

TEST(AutoSaturation, StretchesCbByTheSmallerFactorDampedAndCrUndamped)
{
    // Centre (125 + 130) / 2 = 127; factors 128/33 and 128/37, the smaller taken;
    // Cb's is narrowed by 0.9.
    ChromaStretch stretch;
    stretch.Set(160, 90, 130);
    ExpectEntries(stretch.U(), {{90, 12}, {120, 106}, {127, 128}, {130, 137}, {160, 230}});
    ExpectEntries(stretch.V(), {{90, 0}, {120, 103}, {127, 128}, {130, 138}, {160, 242}});
}

// A grey pixel of luma 128 and pure blue (luma 40, Cb 239, Cr 110). Cb: 128..239, mean
// 183, factor 0.9 x 128/56; Cr: 110..128, mean 119, factor 128/9.
TestPixels GreyAndBlue()
{
    TestPixels pixels(2, 1, 3);
    pixels.set(0, 0, 131, 131, 131);
    pixels.set(1, 0, 0, 0, 255);
    return pixels;
}

TEST(AutoSaturation, StretchesEachChromaOfAWholePictureThroughItsOwnLookup)
{
    TestPixels pixels = GreyAndBlue();
    CAutoSaturationImageEffect effect;
    Apply(effect, pixels);
    // Grey: (128, 14, 255); blue: (40, 243, 0).
    EXPECT_EQ(pixels.rgb(0, 0), (std::vector<int>{255, 71, 0}));
    EXPECT_EQ(pixels.rgb(1, 0), (std::vector<int>{0, 87, 255}));
}

TEST(AutoSaturation, LeavesAUniformPictureAsTheRoundTripGivesIt)
{
    TestPixels red = TestPixels::solid(4, 4, 255, 0, 0, 4);
    CAutoSaturationImageEffect effect;
    Apply(effect, red);
    EXPECT_EQ(red.rgb(3, 3), (std::vector<int>{252, 0, 0}));
}

TEST(AutoColorBalance, ShiftsTheMeanChromaToNeutral)
{
    TestPixels pixels = GreyAndBlue();
    CAutoColorBalanceImageEffect effect;
    Apply(effect, pixels);
    // Cb moves by 128 - 183, Cr by 128 - 119: grey (128, 73, 137), blue (40, 184, 119).
    EXPECT_EQ(pixels.rgb(0, 0), (std::vector<int>{144, 144, 19}));
    EXPECT_EQ(pixels.rgb(1, 0), (std::vector<int>{13, 13, 140}));
}

TEST(AutoColorBalance, TurnsAUniformColourIntoTheGreyOfItsLuma)
{
    // Pure red: luma 81, which converts back to 75 once its chroma is neutral.
    TestPixels red = TestPixels::solid(3, 2, 255, 0, 0);
    CAutoColorBalanceImageEffect effect;
    Apply(effect, red);
    EXPECT_EQ(red.rgb(2, 1), (std::vector<int>{75, 75, 75}));
}

TEST(AutoEffects, MeasureEachPictureAfresh)
{
    // Preview then full size: the second run must not see the first picture's extremes.
    CAutoCorrectionImageEffect effect;
    TestPixels first = TestPixels::random(8, 8, 1);
    Apply(effect, first);
    TestPixels grey = TestPixels::solid(4, 4, 131, 131, 131);
    Apply(effect, grey);
    EXPECT_EQ(effect.GetMaxY(), 128);
    EXPECT_EQ(effect.GetMinY(), 128);
    EXPECT_EQ(grey.rgb(1, 1), (std::vector<int>{130, 130, 130}));
}

} // namespace

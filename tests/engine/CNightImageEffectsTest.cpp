// Night vision's dimming table and tint, and night gain's curve.

#include <vector>

#include <gtest/gtest.h>

#include "ApplyEffect.h"
#include "CNightGainImageEffect.h"
#include "CNightVisionImageEffect.h"

namespace {

struct Entry
{
    int in, out;
};

class ReducedLevel : public testing::TestWithParam<Entry>
{
};

TEST_P(ReducedLevel, IsLumaTimesSevenTenthsTruncatedButAtLeast16)
{
    ASSERT_TRUE(CNightVisionImageEffect::sInitialized);
    EXPECT_EQ(CNightVisionImageEffect::sReducedLevel[GetParam().in], GetParam().out);
}

// 90, 170 and 180 land just below a whole number: 0.7 as a double is below 7/10.
INSTANTIATE_TEST_SUITE_P(CheckValues, ReducedLevel,
                         testing::Values(Entry{0, 16}, Entry{23, 16}, Entry{24, 16}, Entry{25, 17},
                                         Entry{90, 62}, Entry{100, 70}, Entry{170, 118},
                                         Entry{180, 125}, Entry{235, 164}, Entry{255, 178}));

// Night vision with its grain switched off, to see the tint alone.
struct QuietNightVision : CNightVisionImageEffect
{
    QuietNightVision() { mNoise = 0; }
    int Cb() const { return mCb; }
    int Cr() const { return mCr; }
};

TEST(NightVision, PaintsWithTheChromaOfPhosphorGreen)
{
    QuietNightVision effect;
    EXPECT_EQ(effect.Cb(), 81);
    EXPECT_EQ(effect.Cr(), 71);
    // Luma 100 dims to 70, luma 235 to 164.
    EXPECT_EQ(ApplyToPixel(effect, 98, 98, 98), (std::vector<int>{0, 127, 0}));
    EXPECT_EQ(ApplyToPixel(effect, 255, 255, 255), (std::vector<int>{81, 236, 77}));
}

TEST(NightVision, KeepsItsGrainWithinOneStepOfNoise)
{
    // Amount 1 moves luma and each colour by -4 .. +3; white lands near (81, 236, 77).
    TestPixels white = TestPixels::solid(32, 32, 255, 255, 255);
    CNightVisionImageEffect effect;
    Apply(effect, white);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const auto rgb = white.rgb(x, y);
            EXPECT_LT(rgb[0], 81 + 16);
            EXPECT_GT(rgb[1], 236 - 16);
            EXPECT_LT(rgb[2], 77 + 16);
        }
}

struct GainCase
{
    int grey, out;
};

class NightGain : public testing::TestWithParam<GainCase>
{
};

TEST_P(NightGain, LiftsTheLumaOfAGreyThroughTheCurve)
{
    CNightGainImageEffect effect;
    const int g = GetParam().grey;
    const int o = GetParam().out;
    EXPECT_EQ(ApplyToPixel(effect, g, g, g), (std::vector<int>{o, o, o}));
}

// Lumas 16 -> 16, 71 -> 40, 72 -> 36 (the curve dips), 128 -> 140, 235 -> 222.
INSTANTIATE_TEST_SUITE_P(WorkedNumbers, NightGain,
                         testing::Values(GainCase{0, 0}, GainCase{64, 27}, GainCase{66, 23},
                                         GainCase{131, 144}, GainCase{255, 239}));

TEST(NightGain, KeepsTheChromaOfAColour)
{
    // Red: luma 81 -> 50, with its chroma (90, 239) unchanged.
    CNightGainImageEffect effect;
    EXPECT_EQ(ApplyToPixel(effect, 255, 0, 0), (std::vector<int>{216, 0, 0}));
}

} // namespace

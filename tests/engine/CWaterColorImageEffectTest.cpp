#include <gtest/gtest.h>

#include "CRandom.h"
#include "CWaterColorImageEffect.h"
#include "LumaPictures.h"

namespace {

struct WaterColorProbe : CWaterColorImageEffect
{
    using CWaterColorImageEffect::mReducedLevels;
};

struct Tone
{
    int level;
    int luma;
    int toned;
};

using WaterColorTable = testing::TestWithParam<Tone>;

TEST_P(WaterColorTable, QuantisesAndBrightensLuma)
{
    WaterColorProbe waterColor;
    waterColor.SetLevel1(static_cast<unsigned char>(GetParam().level));
    waterColor.BuildReducedlevelsTable();
    EXPECT_EQ(waterColor.mReducedLevels[GetParam().luma], GetParam().toned);
}

INSTANTIATE_TEST_SUITE_P(Levels, WaterColorTable,
                         testing::Values(Tone{10, 16, 33}, Tone{10, 50, 59}, Tone{10, 100, 110},
                                         Tone{10, 128, 133}, Tone{10, 200, 205}, Tone{10, 235, 231},
                                         Tone{0, 128, 134}, Tone{20, 128, 135}));

// A grey of luma 128 tones to 133; grain adds r mod 8 - 4 from one draw per pixel, in
// row order, and the grey comes back as 149 (Y - 16) / 128.
std::vector<int> TonedGreys(unsigned seed, int count)
{
    CRandom reference(seed);
    std::vector<int> greys;
    for (int i = 0; i < count; ++i) {
        const int luma = 133 + reference.Next() % 8 - 4;
        greys.push_back(149 * (luma - 16) / 128);
    }
    return greys;
}

// The border has no four neighbours: it shows each pixel's own draw, in row order.
TEST(WaterColor, GrainFollowsTheSeedAndOnlyTheCentreOfAThreeByThreeIsBlurred)
{
    TestPixels pixels = LumaPicture(3, 3, std::vector<int>(9, 128));
    CWaterColorImageEffect waterColor;
    CImageEffect::Seed(11);
    Apply(waterColor, pixels);
    const std::vector<int> g = TonedGreys(11, 9);
    for (int i = 0; i < 9; ++i) {
        if (i != 4) {
            EXPECT_EQ(pixels.rgb(i % 3, i / 3), std::vector<int>(3, g[i])) << "pixel " << i;
        }
    }
    const int centre = 2 * ((g[1] >> 3) + (g[3] >> 3) + (g[5] >> 3) + (g[7] >> 3));
    EXPECT_EQ(pixels.rgb(1, 1), std::vector<int>(3, centre));
}

} // namespace

// Single pixels and table entries worked out by hand. Greys 98, 131, 56, 64, 66 have lumas
// 100, 128, 64, 71, 72; black and white 16 and 235; pure red is (Y 81, Cb 90, Cr 239).

#include <gtest/gtest.h>

#include "CBlackAndWhiteImageEffect.h"
#include "CBlackAndWhiteSkintoneHighlightImageEffect.h"
#include "CBrightnessImageEffect.h"
#include "CColorBalanceImageEffect.h"
#include "CColorNegativeImageEffect.h"
#include "CColorSaturationImageEffect.h"
#include "CContrastImageEffect.h"
#include "CDramaticBlackAndWhiteImageEffect.h"
#include "CNightGainImageEffect.h"
#include "CNightVisionImageEffect.h"
#include "CSepiaImageEffect.h"
#include "CXRayImageEffect.h"
#include "EffectTestSupport.h"

namespace {

// Night vision without its grain, to see the tint alone.
struct QuietNightVision : CNightVisionImageEffect
{
    QuietNightVision() { mNoise = 0; }
};

template <class T> CImageEffect *New()
{
    return new T;
}

struct PixelCase
{
    CImageEffect *(*make)();
    int level;
    ycc::Rgb in, out;
};

class WorkedPixel : public testing::TestWithParam<PixelCase>
{
};

TEST_P(WorkedPixel, ComesOutAsWorkedByHand)
{
    std::unique_ptr<CImageEffect> effect(GetParam().make());
    EXPECT_EQ(ApplyToPixel(*effect, GetParam().in, GetParam().level), GetParam().out);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Effects, WorkedPixel, testing::Values(
    PixelCase{New<CBrightnessImageEffect>, 0, {131, 131, 131}, {83, 83, 83}},        // luma -> 88
    PixelCase{New<CBrightnessImageEffect>, 10, {255, 0, 0}, {252, 0, 0}},          // round trip
    PixelCase{New<CContrastImageEffect>, 20, {98, 98, 98}, {67, 67, 67}},          // 100 -> 74
    PixelCase{New<CContrastImageEffect>, 0, {255, 255, 255}, {195, 195, 195}},     // 235 -> 184
    PixelCase{New<CColorSaturationImageEffect>, 0, {255, 0, 0}, {168, 36, 33}},    // Cb 107, Cr 186
    PixelCase{New<CColorBalanceImageEffect>, 0, {255, 0, 0}, {255, 0, 33}},        // Cb 107, Cr 255
    PixelCase{New<CBlackAndWhiteImageEffect>, 10, {255, 0, 0}, {75, 75, 75}},
    PixelCase{New<CSepiaImageEffect>, 10, {131, 131, 131}, {149, 125, 104}},
    PixelCase{New<CXRayImageEffect>, 10, {0, 0, 0}, {255, 255, 255}},
    PixelCase{New<CXRayImageEffect>, 10, {255, 255, 255}, {4, 4, 4}},
    PixelCase{New<CDramaticBlackAndWhiteImageEffect>, 10, {56, 56, 56}, {43, 43, 43}}, // 64 -> 53
    PixelCase{New<QuietNightVision>, 10, {98, 98, 98}, {0, 127, 0}},               // 100 -> 70
    PixelCase{New<QuietNightVision>, 10, {255, 255, 255}, {81, 236, 77}},          // 235 -> 164
    PixelCase{New<CNightGainImageEffect>, 10, {64, 64, 64}, {27, 27, 27}},         // 71 -> 40
    PixelCase{New<CNightGainImageEffect>, 10, {66, 66, 66}, {23, 23, 23}},         // 72 -> 36
    PixelCase{New<CNightGainImageEffect>, 10, {255, 0, 0}, {216, 0, 0}},           // 81 -> 50
    PixelCase{New<CColorNegativeImageEffect>, 10, {10, 20, 30}, {245, 235, 225}}));

// (table, entry, value). Night vision: 0.7 as a double lies below 7/10, so 90, 170 and
// 180 fall a step short, and 24 x 0.7 = 16.8 still gives 16.
const unsigned char *kDramatic = CDramaticBlackAndWhiteImageEffect::sYLookup;
const unsigned char *kDimmed = CNightVisionImageEffect::sReducedLevel;
class StaticTable : public testing::TestWithParam<std::tuple<const unsigned char *, int, int>>
{
};
TEST_P(StaticTable, HoldsTheWorkedEntry)
{
    EXPECT_EQ(std::get<0>(GetParam())[std::get<1>(GetParam())], std::get<2>(GetParam()));
}
INSTANTIATE_TEST_SUITE_P(Entries, StaticTable, testing::Values(
    std::tuple{kDramatic, 0, 16}, std::tuple{kDramatic, 42, 16}, std::tuple{kDramatic, 43, 18},
    std::tuple{kDramatic, 100, 100}, std::tuple{kDramatic, 128, 128}, std::tuple{kDramatic, 192, 203},
    std::tuple{kDramatic, 213, 238}, std::tuple{kDramatic, 214, 239}, std::tuple{kDramatic, 255, 239},
    std::tuple{kDimmed, 0, 16}, std::tuple{kDimmed, 24, 16}, std::tuple{kDimmed, 25, 17},
    std::tuple{kDimmed, 90, 62}, std::tuple{kDimmed, 100, 70}, std::tuple{kDimmed, 170, 118},
    std::tuple{kDimmed, 180, 125}, std::tuple{kDimmed, 235, 164}, std::tuple{kDimmed, 255, 178}));
// clang-format on

TEST(StaticTable, DramaticCurveNeverFalls)
{
    for (int i = 1; i < 256; ++i)
        EXPECT_GE(kDramatic[i], kDramatic[i - 1]) << "entry " << i;
}

// (Cb, Cr, counts as skin): the box is 100..130 by 135..165, edges included.
class SkintoneBox : public testing::TestWithParam<std::tuple<int, int, bool>>
{
};

TEST_P(SkintoneBox, KeepsColourOnlyInside)
{
    const auto [cb, cr, skin] = GetParam();
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                const ycc::Ycc c = ycc::ToYcc(r, g, b);
                if (c.cb != cb || c.cr != cr)
                    continue;
                CBlackAndWhiteSkintoneHighlightImageEffect effect;
                EXPECT_EQ(ApplyToPixel(effect, {r, g, b}),
                          ycc::ToRgb(c.y, skin ? cb : 128, skin ? cr : 128));
                return;
            }
    FAIL() << "no colour with that chroma";
}

INSTANTIATE_TEST_SUITE_P(Edges, SkintoneBox,
                         testing::Values(std::tuple{100, 135, true}, std::tuple{130, 165, true},
                                         std::tuple{99, 150, false}, std::tuple{131, 150, false},
                                         std::tuple{115, 134, false}, std::tuple{115, 166, false}));

TEST(ColorNegative, GivesThePictureBackWhenAppliedTwice)
{
    TestPixels pixels = TestPixels::random(19, 11, 3, 5);
    const auto original = pixels.bytes;
    CColorNegativeImageEffect effect;
    Apply(effect, pixels);
    EXPECT_NE(pixels.bytes, original);
    Apply(effect, pixels);
    EXPECT_EQ(pixels.bytes, original);
}

} // namespace

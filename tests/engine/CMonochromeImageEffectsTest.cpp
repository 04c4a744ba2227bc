// Grey and tinted renderings from luma: black and white, sepia, X-ray, dramatic black
// and white and the skin-tone highlight.

#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "ApplyEffect.h"
#include "CBlackAndWhiteImageEffect.h"
#include "CBlackAndWhiteSkintoneHighlightImageEffect.h"
#include "CDramaticBlackAndWhiteImageEffect.h"
#include "CSepiaImageEffect.h"
#include "CXRayImageEffect.h"
#include "YccReference.h"

namespace {

template <class T> std::unique_ptr<CImageEffect> Make()
{
    return std::make_unique<T>();
}

struct MonochromeCase
{
    const char *what;
    std::function<std::unique_ptr<CImageEffect>()> make;
    std::vector<int> in;  // red, green, blue
    std::vector<int> out; // red, green, blue
};

void PrintTo(const MonochromeCase &c, std::ostream *out)
{
    *out << c.what;
}

class MonochromePixel : public testing::TestWithParam<MonochromeCase>
{
};

TEST_P(MonochromePixel, GivesTheHandWorkedColour)
{
    auto effect = GetParam().make();
    const auto &in = GetParam().in;
    EXPECT_EQ(ApplyToPixel(*effect, in[0], in[1], in[2]), GetParam().out);
}

// Grey 131 has luma 128, grey 56 luma 64; black and white have lumas 16 and 235.
INSTANTIATE_TEST_SUITE_P(
    WorkedNumbers, MonochromePixel,
    testing::Values(
        MonochromeCase{"black and white: red, luma 81",
                       Make<CBlackAndWhiteImageEffect>,
                       {255, 0, 0},
                       {75, 75, 75}},
        MonochromeCase{"black and white: white",
                       Make<CBlackAndWhiteImageEffect>,
                       {255, 255, 255},
                       {254, 254, 254}},
        MonochromeCase{
            "sepia: grey of luma 128", Make<CSepiaImageEffect>, {131, 131, 131}, {149, 125, 104}},
        MonochromeCase{"x-ray: black", Make<CXRayImageEffect>, {0, 0, 0}, {255, 255, 255}},
        MonochromeCase{"x-ray: white", Make<CXRayImageEffect>, {255, 255, 255}, {4, 4, 4}},
        MonochromeCase{"dramatic: luma 64 -> 53",
                       Make<CDramaticBlackAndWhiteImageEffect>,
                       {56, 56, 56},
                       {43, 43, 43}},
        MonochromeCase{
            "dramatic: black", Make<CDramaticBlackAndWhiteImageEffect>, {0, 0, 0}, {0, 0, 0}},
        MonochromeCase{"dramatic: white, luma 235 -> 239",
                       Make<CDramaticBlackAndWhiteImageEffect>,
                       {255, 255, 255},
                       {255, 255, 255}}));

struct CurveEntry
{
    int luma, value;
};

class DramaticCurve : public testing::TestWithParam<CurveEntry>
{
};

TEST_P(DramaticCurve, HasTheWorkedValue)
{
    EXPECT_EQ(CDramaticBlackAndWhiteImageEffect::sYLookup[GetParam().luma], GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(CheckValues, DramaticCurve,
                         testing::Values(CurveEntry{0, 16}, CurveEntry{42, 16}, CurveEntry{43, 18},
                                         CurveEntry{64, 53}, CurveEntry{100, 100},
                                         CurveEntry{128, 128}, CurveEntry{192, 203},
                                         CurveEntry{213, 238}, CurveEntry{214, 239},
                                         CurveEntry{255, 239}));

TEST(DramaticCurve, ClipsShadowsAndHighlightsAndNeverFallsInBetween)
{
    ASSERT_TRUE(CDramaticBlackAndWhiteImageEffect::sInitialized);
    const unsigned char *curve = CDramaticBlackAndWhiteImageEffect::sYLookup;
    for (int i = 0; i <= 42; ++i)
        EXPECT_EQ(curve[i], 16) << "entry " << i;
    for (int i = 214; i < 256; ++i)
        EXPECT_EQ(curve[i], 239) << "entry " << i;
    for (int i = 43; i < 214; ++i)
        EXPECT_GE(curve[i], curve[i - 1]) << "entry " << i;
}

// A colour with exactly the given chroma, found by search through the plain conversion.
std::vector<int> ColourWithChroma(int cb, int cr)
{
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                const auto c = ycc::ToYcc(r, g, b);
                if (c.cb == cb && c.cr == cr)
                    return {r, g, b};
            }
    return {};
}

struct SkinCase
{
    int cb, cr;
    bool skin;
};

class SkintoneBox : public testing::TestWithParam<SkinCase>
{
};

TEST_P(SkintoneBox, KeepsColourOnlyInsideTheBox)
{
    const SkinCase &c = GetParam();
    const std::vector<int> colour = ColourWithChroma(c.cb, c.cr);
    ASSERT_EQ(colour.size(), 3u);
    const int luma = ycc::ToYcc(colour[0], colour[1], colour[2]).y;
    const ycc::Rgb kept = ycc::ToRgb(luma, c.cb, c.cr);
    const ycc::Rgb grey = ycc::ToRgb(luma, 128, 128);
    const ycc::Rgb expected = c.skin ? kept : grey;

    CBlackAndWhiteSkintoneHighlightImageEffect effect;
    EXPECT_EQ(ApplyToPixel(effect, colour[0], colour[1], colour[2]),
              std::vector<int>(expected.begin(), expected.end()));
}

INSTANTIATE_TEST_SUITE_P(Edges, SkintoneBox,
                         testing::Values(SkinCase{100, 135, true}, SkinCase{130, 165, true},
                                         SkinCase{100, 165, true}, SkinCase{115, 150, true},
                                         SkinCase{99, 150, false}, SkinCase{131, 150, false},
                                         SkinCase{115, 134, false}, SkinCase{115, 166, false}));

} // namespace

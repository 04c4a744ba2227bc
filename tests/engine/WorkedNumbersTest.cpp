// Results worked by hand: effects whose result depends on the whole picture, on neighbours,
// on a fixed curve or on a level table. Pure red is (Y 81, Cb 90, Cr 239), pure blue
// (40, 239, 110); greys 17, 52, 56, 64, 66, 70, 98, 126, 131, 133, 153, 238, 252 have lumas
// 30, 60, 64, 71, 72, 76, 100, 124, 128, 130, 147, 220, 232, and a luma d is painted back
// as grey 149 (d - 16) / 128. At level 10 and full size ink draws 255 below a luma
// difference of 24, 48 - (n - 24) up to 47, and 0 from 48 on.

#include <algorithm>
#include <iterator>
#include <limits>
#include <type_traits>

#include <gtest/gtest.h>

#include "EffectTestSupport.h"

namespace {

// Pixels in row by row, and what comes out, after a run on another picture at another
// level (nothing may carry over). A single colour fills a flat 3 x 2 picture; {v} is grey v.
struct Row
{
    std::unique_ptr<CImageEffect> (*make)();
    std::vector<Rgb> in, out;
    int level = 10;
    int width = 0; // 0: one row
};

using WorkedRow = testing::TestWithParam<Row>;

TEST_P(WorkedRow, ComesOutAsWorkedByHand)
{
    const Row &c = GetParam();
    const bool flat = c.in.size() == 1;
    const int n = flat ? 6 : static_cast<int>(c.in.size());
    const int width = flat ? 3 : (c.width ? c.width : n);
    const auto colour = [&](const std::vector<Rgb> &row, int i) {
        const Rgb &rgb = row[flat ? 0 : static_cast<size_t>(i)];
        return rgb.size() == 1 ? Rgb(3, rgb[0]) : rgb;
    };
    TestPixels pixels(width, n / width, 3), other = TestPixels::random(5, 4, 1);
    for (int i = 0; i < n; ++i) {
        const Rgb in = colour(c.in, i);
        pixels.set(i % width, i / width, in[0], in[1], in[2]);
    }
    auto effect = c.make();
    Apply(*effect, other, 3);
    ASSERT_EQ(Apply(*effect, pixels, c.level), 1);
    for (int i = 0; i < n; ++i)
        EXPECT_EQ(pixels.rgb(i % width, i / width), colour(c.out, i)) << "pixel " << i;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Effects, WorkedRow, testing::Values(
    // Lumas 40, 200, 60: centre (120 + 100) / 2 = 110, factors 128/90 and 128/70, the
    // larger taken: 16, 239, 36.
    Row{Make<CAutoCorrectionImageEffect>, {{28}, {215}, {52}}, {{0}, {255}, {23}}},
    // Grey 128 and blue: Cb spans 128..239 around mean 183, Cr 110..128 around 119.
    // Saturation stretches Cb by 0.9 x 128/56 and Cr by 128/9: grey (128, 14, 255),
    // blue (40, 243, 0). Balance shifts Cb by 128 - 183 and Cr by 128 - 119: grey
    // (128, 73, 137), blue (40, 184, 119). A flat colour becomes the grey of its luma.
    Row{Make<CAutoSaturationImageEffect>, {{131}, {0, 0, 255}}, {{255, 71, 0}, {0, 87, 255}}},
    Row{Make<CAutoColorBalanceImageEffect>, {{131}, {0, 0, 255}}, {{144, 144, 19}, {13, 13, 140}}},
    Row{Make<CAutoColorBalanceImageEffect>, {{255, 0, 0}}, {{75}}},
    // Luma 64 -> 53.
    Row{Make<CDramaticBlackAndWhiteImageEffect>, {{56}}, {{43}}},
    // Chroma (100, 135) and (130, 165), the corners of the skin box, keep their colour;
    // (99, 150), (131, 150), (115, 134) and (115, 166), just outside, turn grey.
    Row{Make<CBlackAndWhiteSkintoneHighlightImageEffect>,
        {{67, 60, 0}, {91, 0, 36}, {93, 50, 0}, {55, 0, 26}, {35, 24, 0}, {87, 0, 0}},
        {{65, 59, 0}, {89, 0, 34}, {57}, {18}, {24}, {25}}},
    // Bins of 21 to their centres, each channel on its own.
    Row{Make<CPosterizationImageEffect>, {{20, 21, 252}, {251, 0, 255}},
        {{10, 31, 255}, {241, 10, 255}}},
    // Lumas 128 | 129, 108 | 109, 148 | 149 cut at 2 level + 108.
    Row{Make<CStencilImageEffect>, {{108}, {109}}, {{0}, {255}}, 0},
    Row{Make<CStencilImageEffect>, {{154}, {155}}, {{0}, {255}}, 20},
    // Flat pictures draw no line (luma 255, relief 144), the colour variants under red's
    // chroma. Line art tints at 192 (grey 204) unless the luma is above 229 (grey 250).
    Row{Make<CInkedImageEffect>, {{255, 0, 0}}, {{255}}},
    Row{Make<CSculptureImageEffect>, {{255, 0, 0}}, {{149}}},
    Row{Make<CColorSculptureImageEffect>, {{255, 0, 0}}, {{255, 73, 72}}},
    Row{Make<CColorLineArtImageEffect>, {{255, 0, 0}}, {{255, 129, 128}}},
    Row{Make<CColorPencilImageEffect>, {{255, 0, 0}}, {{255, 202, 201}}},
    Row{Make<CColorLineArtImageEffect>, {{248}}, {{204}}},
    Row{Make<CColorLineArtImageEffect>, {{250}}, {{255}}},
    // Ink: the first row compares left neighbours, the first column upper ones, the corner
    // copies its right neighbour, and the rest take the spread of four. Drawn 42, 48, 25
    // paint 30, 37, 10.
    Row{Make<CInkedImageEffect>, {{98}, {133}, {133}, {126}, {126}, {52}},
        {{30}, {30}, {255}, {37}, {30}, {0}}, 10, 3},
    Row{Make<CInkedImageEffect>, {{98}, {98}, {98}, {126}}, {{255}, {255}, {255}, {37}}, 10, 2},
    Row{Make<CInkedImageEffect>, {{126}, {98}, {98}, {98}}, {{37}, {37}, {37}, {37}}, 10, 2},
    Row{Make<CInkedImageEffect>, {{98}, {153}, {98}, {98}}, {{10}, {10}, {255}, {10}}, 10, 2},
    // Line art keeps the lines it draws.
    Row{Make<CColorLineArtImageEffect>, {{252}, {252}, {98}, {98}, {252}, {252}, {98}, {98}},
        {{255}, {255}, {0}, {204}, {255}, {255}, {0}, {204}}, 10, 4},
    // Relief compares with the upper-left neighbour only: differences 30, -24, 24 draw
    // 213, 48, 207 (greys 229, 37, 222).
    Row{Make<CSculptureImageEffect>, {{98}, {133}, {70}, {98}}, {{229}, {229}, {37}, {149}}, 10, 2},
    Row{Make<CSculptureImageEffect>, {{98}, {17}, {238}, {126}}, {{0}, {0}, {255}, {222}}, 10, 2},
    Row{Make<CSculptureImageEffect>, {{98}, {17}, {238}, {70}}, {{0}, {0}, {255}, {37}}, 10, 2},
    // Water colour on grey 131 (luma 128, toned to 133), seed 7: draws mod 8 of 5, 3, 3, 7, 5,
    // 3, 2, 1, 0 grain the lumas, painted back as greys; the one interior pixel then takes
    // twice the sum of its four neighbours' greys shifted right by 3: 2 (16 + 17 + 16 + 16).
    Row{Make<CWaterColorImageEffect>, std::vector<Rgb>(9, {131}),
        {{137}, {135}, {135}, {139}, {130}, {135}, {133}, {132}, {131}}, 10, 3}));

// An effect's level table as built for a level and scale; the relief's is indexed by
// difference + 255.
template <class E> struct Open : E
{
    static std::vector<int> Table(int level, float scale)
    {
        Open e;
        e.SetLevel1(static_cast<unsigned char>(level));
        e.SetScale(scale);
        if constexpr (std::is_base_of_v<CInkedImageEffect, E>)
            e.BuildSensitivityTable();
        else
            e.BuildReducedlevelsTable();
        if constexpr (std::is_same_v<E, CSculptureImageEffect>)
            return {std::begin(e.mSignedSensitivity), std::end(e.mSignedSensitivity)};
        else if constexpr (std::is_base_of_v<CInkedImageEffect, E>)
            return {std::begin(e.mSensitivity), std::end(e.mSensitivity)};
        else
            return {std::begin(e.mReducedLevels), std::end(e.mReducedLevels)};
    }
};
template <const unsigned char *Table> std::vector<int> Fixed(int, float)
{
    return {Table, Table + 256};
}

struct Entries
{
    std::vector<int> (*table)(int level, float scale);
    int level;
    float scale;
    std::vector<std::pair<int, int>> entries; // (index, value)
};

using TableEntries = testing::TestWithParam<Entries>;

TEST_P(TableEntries, HoldTheWorkedValues)
{
    const std::vector<int> table = GetParam().table(GetParam().level, GetParam().scale);
    for (auto [index, value] : GetParam().entries)
        EXPECT_EQ(table[static_cast<size_t>(index)], value) << "entry " << index;
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
const auto Ink = Open<CInkedImageEffect>::Table;
const auto Pencil = Open<CColorPencilImageEffect>::Table;
const auto Signed = Open<CSculptureImageEffect>::Table;
const auto Dramatic = Fixed<CDramaticBlackAndWhiteImageEffect::sYLookup>;
const auto Watered = Open<CWaterColorImageEffect>::Table;
const auto Posterized = Open<CPosterizationImageEffect>::Table;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Effects, TableEntries, testing::Values(
    // Dramatic black and white: pulled toward two quarter circles, then spread by 7/4.
    Entries{Dramatic, 0, 1, {{42, 16}, {43, 18}, {100, 100}, {128, 128}, {192, 203}, {213, 238},
                             {214, 239}, {255, 239}}},
    // Ink: 255 below i0 = 2 (22 - level) k, then from j0 = 2 i0 down, 0 from j0 on, with
    // k = 1 + 0.2 (1 / scale - 1).
    Entries{Ink, 10, 0.25f, {{37, 255}, {38, 76}, {75, 39}, {76, 0}}},
    Entries{Ink, 20, 1.0f, {{3, 255}, {4, 8}, {7, 5}, {8, 0}}},
    Entries{Ink, 0, 1.0f, {{43, 255}, {44, 88}, {87, 45}, {88, 0}}},
    // Products in double from the single-precision factor 1.8f.
    Entries{Ink, 17, 0.2f, {{16, 255}, {17, 35}, {34, 18}, {35, 0}}},
    // Scales outside (0, 1] run as full size.
    Entries{Ink, 10, 0.0f, {{23, 255}, {24, 48}, {48, 0}}},
    Entries{Ink, 10, 2.0f, {{23, 255}, {24, 48}, {48, 0}}},
    Entries{Ink, 10, kNaN, {{23, 255}, {24, 48}, {48, 0}}},
    // j0 = 422 is held at the end of the table.
    Entries{Ink, 0, 0.05f, {{210, 255}, {211, 255}, {254, 212}, {255, 0}}},
    // Pencil lifts the dark entries by 100; light ones of a widened ramp stay.
    Entries{Pencil, 10, 1.0f, {{23, 255}, {24, 148}, {47, 125}, {48, 100}, {255, 100}}},
    Entries{Pencil, 0, 0.1f, {{240, 129}, {245, 224}, {246, 100}}},
    // Relief at level 0, scale 0.1 (i0 123, j0 246): light greys of the ramp, above 191,
    // flatten to mid grey 144; rising differences are light, falling ones dark.
    Entries{Signed, 0, 0.1f, {{255, 144}, {255 + 123, 144}, {255 - 123, 144}, {255 + 180, 66},
                              {255 - 180, 189}, {510, 255}, {0, 0}}}));
// clang-format on

// Every entry at every level, the rules written another way: posterize moves a value to the
// middle of its bin of 255 / (22 - level), held at 255; water colour averages it with the
// middle of its bin of 224 / (level + 1) counted from 16, lifted a ninth of the way to 239.
TEST(Tables, ReducedLevelsFollowTheirRulesAtEveryLevel)
{
    for (int level = 0; level <= 20; ++level) {
        const int bin = 255 / (22 - level), wide = 224 / (level + 1);
        std::vector<int> posterized, watered;
        for (int i = 0; i < 256; ++i) {
            posterized.push_back(std::min(255, i - i % bin + bin / 2));
            const int centre =
                16 + wide * static_cast<int>(std::trunc((i - 16.0) / wide)) + wide / 2;
            const int lifted = centre + static_cast<int>(std::ceil((239 - centre) / 9.0));
            watered.push_back(i / 2 + std::clamp(lifted, 16, 239) / 2);
        }
        EXPECT_EQ(Posterized(level, 1), posterized) << level;
        EXPECT_EQ(Watered(level, 1), watered) << level;
    }
}

// A ramp that wrapped past the ink table's end would turn its lightest step black.
TEST(Tables, DramaticCurveNeverFallsAndInkNeverLightensWithALargerDifference)
{
    const std::vector<int> curve = Dramatic(0, 1);
    EXPECT_TRUE(std::is_sorted(curve.begin(), curve.end()));
    for (float scale : {1.0f, 0.25f, 0.1f, 0.09f, 0.0853f, 0.05f, 0.01f, 1e-20f, 1e-45f})
        for (int level = 0; level <= 20; ++level) {
            const std::vector<int> table = Ink(level, scale);
            EXPECT_EQ(table[0], 255);
            EXPECT_TRUE(std::is_sorted(table.rbegin(), table.rend()))
                << "scale " << scale << " level " << level;
        }
}

} // namespace

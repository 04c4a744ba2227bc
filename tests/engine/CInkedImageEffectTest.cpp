#include <functional>
#include <limits>
#include <memory>

#include <gtest/gtest.h>

#include "CColorLineArtImageEffect.h"
#include "CColorPencilImageEffect.h"
#include "CColorSculptureImageEffect.h"
#include "CInkedImageEffect.h"
#include "CSculptureImageEffect.h"
#include "LumaPictures.h"

namespace {

using InkProbe = DrawingProbe<CInkedImageEffect>;

// Edges start at difference i0 (drawn at grey j0) and are black from j0 on.
struct Thresholds
{
    int level;
    float scale;
    int i0;
    int j0;
};

using InkThresholds = testing::TestWithParam<Thresholds>;

TEST_P(InkThresholds, RampRunsFromI0ToJ0)
{
    const Thresholds c = GetParam();
    InkProbe ink;
    ink.SetLevel1(static_cast<unsigned char>(c.level));
    ink.SetScale(c.scale);
    ink.BuildSensitivityTable();
    EXPECT_EQ(ink.mSensitivity[c.i0 - 1], 255);
    EXPECT_EQ(ink.mSensitivity[c.i0], c.j0);
    EXPECT_EQ(ink.mSensitivity[c.j0 - 1], c.i0 + 1);
    if (c.j0 < 256) {
        EXPECT_EQ(ink.mSensitivity[c.j0], 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    LevelsAndScales, InkThresholds,
    testing::Values(Thresholds{10, 1.0f, 24, 48}, Thresholds{10, 0.25f, 38, 76},
                    Thresholds{20, 1.0f, 4, 8}, Thresholds{0, 1.0f, 44, 88},
                    // Products in double from the single-precision factor 1.8f.
                    Thresholds{17, 0.2f, 17, 35},
                    // Scales outside (0, 1] run as full size.
                    Thresholds{10, 0.0f, 24, 48}, Thresholds{10, 2.0f, 24, 48},
                    Thresholds{10, -0.5f, 24, 48},
                    Thresholds{10, std::numeric_limits<float>::quiet_NaN(), 24, 48},
                    // j0 = 422 is held at the end of the table.
                    Thresholds{0, 0.05f, 211, 255}));

TEST(InkSensitivity, NeverLightensWithALargerDifferenceAtAnyScale)
{
    // A ramp that wrapped past the table's end would turn its lightest step black.
    for (float scale : {1.0f, 0.25f, 0.1f, 0.09f, 0.0853f, 0.05f, 0.01f, 1e-20f, 1e-45f})
        for (int level = 0; level <= 20; ++level) {
            InkProbe ink;
            ink.SetLevel1(static_cast<unsigned char>(level));
            ink.SetScale(scale);
            ink.BuildSensitivityTable();
            EXPECT_EQ(ink.mSensitivity[0], 255);
            for (int n = 1; n < 256; ++n)
                ASSERT_LE(ink.mSensitivity[n], ink.mSensitivity[n - 1])
                    << "scale " << scale << " level " << level << " n " << n;
        }
}

// A 2 x 2 block: the bottom-right element sees the spread of all four lumas.
struct Block
{
    std::vector<int> lumas;
    int drawn;
};

using InkBlock = testing::TestWithParam<Block>;

TEST_P(InkBlock, SpreadOfFourNeighboursPicksTheGrey)
{
    TestPixels pixels = LumaPicture(2, 2, GetParam().lumas);
    InkProbe ink;
    ASSERT_EQ(Apply(ink, pixels), 1);
    EXPECT_EQ(ink.Drawn(1, 1), GetParam().drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Level10, InkBlock,
    testing::Values(Block{{100, 100, 100, 100}, 255}, Block{{100, 123, 100, 100}, 255},
                    Block{{100, 100, 100, 124}, 48}, Block{{124, 100, 100, 100}, 48},
                    Block{{100, 147, 100, 100}, 25}, Block{{148, 100, 100, 100}, 0}));

TEST(InkEdges, FirstRowIsHorizontalFirstColumnVerticalAndTheCornerCopies)
{
    TestPixels pixels = LumaPicture(3, 2, {100, 130, 130, 124, 124, 60});
    InkProbe ink;
    Apply(ink, pixels);
    const std::vector<int> drawn = {ink.Drawn(0, 0), ink.Drawn(1, 0), ink.Drawn(2, 0),
                                    ink.Drawn(0, 1), ink.Drawn(1, 1), ink.Drawn(2, 1)};
    EXPECT_EQ(drawn, (std::vector<int>{42, 42, 255, 48, 42, 0}));
}

// A flat picture has no edges; each drawing effect paints its own flat value.
struct Flat
{
    const char *name;
    std::function<std::unique_ptr<CImageEffect>()> make;
    std::vector<int> in;
    std::vector<int> out;
};

using DrawingOnAFlatPicture = testing::TestWithParam<Flat>;

TEST_P(DrawingOnAFlatPicture, PaintsTheFlatValue)
{
    const Flat &c = GetParam();
    TestPixels pixels =
        TestPixels::solid(3, 3, static_cast<uint8_t>(c.in[0]), static_cast<uint8_t>(c.in[1]),
                          static_cast<uint8_t>(c.in[2]));
    auto effect = c.make();
    Apply(*effect, pixels);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(pixels.rgb(x, y), c.out) << c.name << " at " << x << "," << y;
}

template <class E> std::unique_ptr<CImageEffect> Make()
{
    return std::make_unique<E>();
}

// Red is Y 81, Cb 90, Cr 239; the colour variants paint their luma under that chroma.
INSTANTIATE_TEST_SUITE_P(
    Effects, DrawingOnAFlatPicture,
    testing::Values(
        Flat{"ink white", Make<CInkedImageEffect>, {255, 0, 0}, {255, 255, 255}},
        Flat{"relief grey 144", Make<CSculptureImageEffect>, {255, 0, 0}, {149, 149, 149}},
        Flat{"coloured relief", Make<CColorSculptureImageEffect>, {255, 0, 0}, {255, 73, 72}},
        Flat{"line-art tint 192", Make<CColorLineArtImageEffect>, {255, 0, 0}, {255, 129, 128}},
        // Grey 248 has luma 229 and is tinted; grey 250 has luma 230 and stays white.
        Flat{"line-art luma 229", Make<CColorLineArtImageEffect>, {248, 248, 248}, {204, 204, 204}},
        Flat{"line-art luma 230", Make<CColorLineArtImageEffect>, {250, 250, 250}, {255, 255, 255}},
        Flat{"pencil luma 255", Make<CColorPencilImageEffect>, {255, 0, 0}, {255, 202, 201}}));

} // namespace

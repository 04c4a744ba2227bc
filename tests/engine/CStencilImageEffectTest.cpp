#include <gtest/gtest.h>

#include "CStencilImageEffect.h"
#include "LumaPictures.h"

namespace {

struct Cut
{
    int level;
    int luma;
    int value;
};

using StencilThreshold = testing::TestWithParam<Cut>;

TEST_P(StencilThreshold, BlackUpToTheThresholdWhiteAbove)
{
    const Cut c = GetParam();
    TestPixels pixels = LumaPicture(1, 1, {c.luma});
    CStencilImageEffect stencil;
    stencil.SetLevel1(static_cast<unsigned char>(c.level));
    ASSERT_EQ(Apply(stencil, pixels), 1);
    EXPECT_EQ(pixels.rgb(0, 0), std::vector<int>(3, c.value));
}

INSTANTIATE_TEST_SUITE_P(Levels, StencilThreshold,
                         testing::Values(Cut{10, 128, 0}, Cut{10, 129, 255}, Cut{0, 108, 0},
                                         Cut{0, 109, 255}, Cut{20, 148, 0}, Cut{20, 149, 255},
                                         Cut{10, 16, 0}, Cut{10, 235, 255}));

TEST(Stencil, AnyPictureBecomesPureBlackAndWhite)
{
    TestPixels pixels = TestPixels::random(31, 17, 3);
    CStencilImageEffect stencil;
    Apply(stencil, pixels);
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x) {
            const std::vector<int> rgb = pixels.rgb(x, y);
            EXPECT_TRUE(rgb == std::vector<int>(3, 0) || rgb == std::vector<int>(3, 255));
        }
}

} // namespace

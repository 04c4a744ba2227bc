// Brightness, contrast, saturation and colour balance on single pixels, with expectations
// worked by hand from the conversion formulas and the curves.

#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "ApplyEffect.h"
#include "CBrightnessImageEffect.h"
#include "CColorBalanceImageEffect.h"
#include "CColorSaturationImageEffect.h"
#include "CContrastImageEffect.h"

namespace {

template <class T> std::unique_ptr<CImageEffect> Make()
{
    return std::make_unique<T>();
}

struct AdjustmentCase
{
    const char *what;
    std::function<std::unique_ptr<CImageEffect>()> make;
    int level;
    std::vector<int> in;  // red, green, blue
    std::vector<int> out; // red, green, blue
};

void PrintTo(const AdjustmentCase &c, std::ostream *out)
{
    *out << c.what;
}

class AdjustmentPixel : public testing::TestWithParam<AdjustmentCase>
{
};

TEST_P(AdjustmentPixel, GivesTheHandWorkedColour)
{
    const AdjustmentCase &c = GetParam();
    auto effect = c.make();
    EXPECT_EQ(ApplyToPixel(*effect, c.in[0], c.in[1], c.in[2], c.level), c.out);
}

// Grey 131 has luma 128, grey 98 luma 100, white luma 235; pure red is (81, 90, 239).
INSTANTIATE_TEST_SUITE_P(
    WorkedNumbers, AdjustmentPixel,
    testing::Values(
        AdjustmentCase{"brightness 0: luma 128 -> 88",
                       Make<CBrightnessImageEffect>,
                       0,
                       {131, 131, 131},
                       {83, 83, 83}},
        AdjustmentCase{"brightness 20: luma 128 -> 168",
                       Make<CBrightnessImageEffect>,
                       20,
                       {131, 131, 131},
                       {176, 176, 176}},
        AdjustmentCase{"brightness 20: luma 235 -> 255",
                       Make<CBrightnessImageEffect>,
                       20,
                       {255, 255, 255},
                       {255, 255, 255}},
        AdjustmentCase{"contrast 20: luma 100 -> 74",
                       Make<CContrastImageEffect>,
                       20,
                       {98, 98, 98},
                       {67, 67, 67}},
        AdjustmentCase{"contrast 0: luma 235 -> 184",
                       Make<CContrastImageEffect>,
                       0,
                       {255, 255, 255},
                       {195, 195, 195}},
        AdjustmentCase{"contrast 20: luma 200 -> 255",
                       Make<CContrastImageEffect>,
                       20,
                       {215, 215, 215},
                       {255, 255, 255}},
        AdjustmentCase{"saturation 0: red chroma narrowed to (107, 186)",
                       Make<CColorSaturationImageEffect>,
                       0,
                       {255, 0, 0},
                       {168, 36, 33}},
        AdjustmentCase{"colour balance 0: Cb narrowed to 107, Cr widened to 255",
                       Make<CColorBalanceImageEffect>,
                       0,
                       {255, 0, 0},
                       {255, 0, 33}},
        // The neutral level still converts there and back: red and white lose a step.
        AdjustmentCase{
            "brightness 10 on red", Make<CBrightnessImageEffect>, 10, {255, 0, 0}, {252, 0, 0}},
        AdjustmentCase{"contrast 10 on white",
                       Make<CContrastImageEffect>,
                       10,
                       {255, 255, 255},
                       {254, 254, 254}},
        AdjustmentCase{"saturation 10 on red",
                       Make<CColorSaturationImageEffect>,
                       10,
                       {255, 0, 0},
                       {252, 0, 0}},
        AdjustmentCase{"colour balance 10 on red",
                       Make<CColorBalanceImageEffect>,
                       10,
                       {255, 0, 0},
                       {252, 0, 0}}));

// Blue is rebuilt from luma and Cb alone, red from luma and Cr alone. Colour balance at
// level L spreads Cb as saturation at L does and moves Cr as saturation at 20 - L does.
TEST(ColorBalance, SharesCbWithSaturationAtItsLevelAndCrAtTheMirroredLevel)
{
    for (int level : {0, 3, 10, 16, 20}) {
        const TestPixels input = TestPixels::random(24, 8, 31);
        TestPixels balance = input, sameLevel = input, mirrored = input;
        CColorBalanceImageEffect balanceEffect;
        CColorSaturationImageEffect saturationEffect;
        Apply(balanceEffect, balance, level);
        Apply(saturationEffect, sameLevel, level);
        Apply(saturationEffect, mirrored, 20 - level);
        for (int y = 0; y < input.height; ++y)
            for (int x = 0; x < input.width; ++x) {
                EXPECT_EQ(balance.rgb(x, y)[2], sameLevel.rgb(x, y)[2]) << "level " << level;
                EXPECT_EQ(balance.rgb(x, y)[0], mirrored.rgb(x, y)[0]) << "level " << level;
            }
    }
}

} // namespace

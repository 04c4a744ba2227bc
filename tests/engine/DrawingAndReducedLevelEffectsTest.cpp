// Properties that every drawing, relief and reduced-level effect keeps.

#include <cstring>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "CColorLineArtImageEffect.h"
#include "CColorPencilImageEffect.h"
#include "CColorSculptureImageEffect.h"
#include "CInkedImageEffect.h"
#include "CPosterizationImageEffect.h"
#include "CSculptureImageEffect.h"
#include "CStencilImageEffect.h"
#include "CWaterColorImageEffect.h"
#include "LumaPictures.h"

namespace {

struct Kind
{
    const char *name;
    std::function<std::unique_ptr<CImageEffect>()> make;
    const char *levelName;
};

template <class E> std::unique_ptr<CImageEffect> Make()
{
    return std::make_unique<E>();
}

class EveryEffect : public testing::TestWithParam<Kind>
{
protected:
    // The effect's output for a picture, with the noise seeded the same way every time.
    std::vector<uint8_t> Output(TestPixels pixels, int level = 10)
    {
        auto effect = GetParam().make();
        effect->SetLevel1(static_cast<unsigned char>(level));
        CImageEffect::Seed(1234);
        EXPECT_EQ(Apply(*effect, pixels), 1);
        return pixels.bytes;
    }
};

TEST_P(EveryEffect, NamesItsLevelAndStartsInTheMiddle)
{
    auto effect = GetParam().make();
    EXPECT_STREQ(effect->GetLevel1Name().Get(), GetParam().levelName);
    EXPECT_EQ(effect->GetLevel1(), 10);
}

TEST_P(EveryEffect, LeavesFourthBytesAndRowPaddingAlone)
{
    // Every byte starts as 0xA5; only colour bytes may change.
    const TestPixels before = TestPixels::random(9, 7, 21, 12);
    const std::vector<uint8_t> after = Output(before);
    for (size_t i = 0; i < after.size(); ++i) {
        const size_t column = i % static_cast<size_t>(before.stride);
        if (column >= static_cast<size_t>(4 * before.width) || column % 4 == 3) {
            ASSERT_EQ(after[i], 0xA5) << "byte " << i;
        }
    }
}

TEST_P(EveryEffect, RunsOnPicturesOneOrTwoPixelsAcross)
{
    for (auto [w, h] : {std::pair{1, 1}, std::pair{1, 6}, std::pair{6, 1}, std::pair{2, 2}}) {
        const TestPixels before = TestPixels::random(w, h, 3, 4);
        const std::vector<uint8_t> after = Output(before);
        for (int y = 0; y < h; ++y)
            EXPECT_EQ(after[static_cast<size_t>(y) * before.stride + 4 * w], 0xA5);
    }
}

TEST_P(EveryEffect, TheSameSeedGivesTheSameOutput)
{
    const TestPixels before = TestPixels::gradient(23, 11);
    EXPECT_EQ(Output(before), Output(before));
}

TEST_P(EveryEffect, LevelsAboveTwentyActAsTwenty)
{
    const TestPixels before = TestPixels::random(13, 8, 9);
    auto effect = GetParam().make();
    effect->SetLevel1(255);
    EXPECT_EQ(effect->GetLevel1(), 20);
    EXPECT_EQ(Output(before, 255), Output(before, 20));
}

INSTANTIATE_TEST_SUITE_P(
    Effects, EveryEffect,
    testing::Values(Kind{"Ink", Make<CInkedImageEffect>, "Sensitivity"},
                    Kind{"Sculpture", Make<CSculptureImageEffect>, "Sensitivity"},
                    Kind{"ColorSculpture", Make<CColorSculptureImageEffect>, "Sensitivity"},
                    Kind{"ColorLineArt", Make<CColorLineArtImageEffect>, "Sensitivity"},
                    Kind{"ColorPencil", Make<CColorPencilImageEffect>, "Sensitivity"},
                    Kind{"Posterization", Make<CPosterizationImageEffect>, "Details"},
                    Kind{"WaterColor", Make<CWaterColorImageEffect>, "Details"},
                    Kind{"Stencil", Make<CStencilImageEffect>, "Level"}),
    [](const testing::TestParamInfo<Kind> &info) { return std::string(info.param.name); });

} // namespace

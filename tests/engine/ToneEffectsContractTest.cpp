// What every tone, colour, monochrome, vintage and night effect must honour, and their
// pixel-for-pixel agreement with the plain-arithmetic model where the result of a pixel
// depends on that pixel alone.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ApplyEffect.h"
#include "C30sPhotoImageEffect.h"
#include "C70sPhotoImageEffect.h"
#include "CAutoColorBalanceImageEffect.h"
#include "CAutoCorrectionImageEffect.h"
#include "CAutoSaturationImageEffect.h"
#include "CBlackAndWhiteImageEffect.h"
#include "CBlackAndWhiteSkintoneHighlightImageEffect.h"
#include "CBrightnessImageEffect.h"
#include "CColorBalanceImageEffect.h"
#include "CColorNegativeImageEffect.h"
#include "CColorSaturationImageEffect.h"
#include "CContrastImageEffect.h"
#include "CDramaticBlackAndWhiteImageEffect.h"
#include "CInfraRedImageEffect.h"
#include "CNightGainImageEffect.h"
#include "CNightVisionImageEffect.h"
#include "CSepiaImageEffect.h"
#include "CXRayImageEffect.h"
#include "TestPixels.h"
#include "YccReference.h"

namespace {

using ycc::Clamp;
using ycc::Noise;
using ycc::Rgb;
using ycc::Slope;
using ycc::ToRgb;
using ycc::ToYcc;

// Expected colour of one pixel; draws its noise from `random` in the effect's order.
using PixelModel = std::function<Rgb(int r, int g, int b, int level, CRandom &random)>;

struct Effect
{
    std::string name;
    std::function<std::unique_ptr<CImageEffect>()> make;
    const char *levelName; // null: no slider
    bool noisy;
    PixelModel model; // empty where the result depends on the whole picture
};

template <class T> std::unique_ptr<CImageEffect> Make()
{
    return std::make_unique<T>();
}

const std::vector<Effect> &Effects()
{
    static const std::vector<Effect> effects = {
        {"Brightness", Make<CBrightnessImageEffect>, "Brightness", false,
         [](int r, int g, int b, int level, CRandom &) {
             const auto c = ToYcc(r, g, b);
             return ToRgb(ycc::Offset(c.y, level), c.cb, c.cr);
         }},
        {"Contrast", Make<CContrastImageEffect>, "Contrast", false,
         [](int r, int g, int b, int level, CRandom &) {
             const auto c = ToYcc(r, g, b);
             return ToRgb(Slope(c.y, level), c.cb, c.cr);
         }},
        {"Saturation", Make<CColorSaturationImageEffect>, "Saturation", false,
         [](int r, int g, int b, int level, CRandom &) {
             const auto c = ToYcc(r, g, b);
             return ToRgb(c.y, Slope(c.cb, level), Slope(c.cr, level));
         }},
        {"ColorBalance", Make<CColorBalanceImageEffect>, "Color Balance", false,
         [](int r, int g, int b, int level, CRandom &) {
             const auto c = ToYcc(r, g, b);
             return ToRgb(c.y, Slope(c.cb, level), Slope(c.cr, 20 - level));
         }},
        {"AutoCorrection", Make<CAutoCorrectionImageEffect>, nullptr, false, {}},
        {"AutoSaturation", Make<CAutoSaturationImageEffect>, nullptr, false, {}},
        {"AutoColorBalance", Make<CAutoColorBalanceImageEffect>, nullptr, false, {}},
        {"BlackAndWhite", Make<CBlackAndWhiteImageEffect>, nullptr, false,
         [](int r, int g, int b, int, CRandom &) { return ToRgb(ToYcc(r, g, b).y, 128, 128); }},
        {"Sepia", Make<CSepiaImageEffect>, nullptr, false,
         [](int r, int g, int b, int, CRandom &) { return ToRgb(ToYcc(r, g, b).y, 115, 140); }},
        {"XRay", Make<CXRayImageEffect>, nullptr, false,
         [](int r, int g, int b, int, CRandom &) {
             return ToRgb(255 - ToYcc(r, g, b).y, 128, 128);
         }},
        {"DramaticBlackAndWhite", Make<CDramaticBlackAndWhiteImageEffect>, nullptr, false, {}},
        {"SkintoneHighlight", Make<CBlackAndWhiteSkintoneHighlightImageEffect>, nullptr, false,
         [](int r, int g, int b, int, CRandom &) {
             const auto c = ToYcc(r, g, b);
             const bool skin = c.cb >= 100 && c.cb <= 130 && c.cr >= 135 && c.cr <= 165;
             return skin ? ToRgb(c.y, c.cb, c.cr) : ToRgb(c.y, 128, 128);
         }},
        {"NightVision", Make<CNightVisionImageEffect>, nullptr, true,
         [](int r, int g, int b, int, CRandom &random) {
             const int dimmed = Clamp(static_cast<int>(ToYcc(r, g, b).y * 0.7), 16);
             const Rgb green = ToRgb(Noise(dimmed, 1, random), 81, 71);
             const int red = Noise(green[0], 1, random);
             const int grn = Noise(green[1], 1, random);
             return Rgb{red, grn, Noise(green[2], 1, random)};
         }},
        {"Photo30s", Make<C30sPhotoImageEffect>, nullptr, true,
         [](int r, int g, int b, int, CRandom &random) {
             const int y = Noise(Slope(ToYcc(r, g, b).y, 3), 3, random);
             const int cb = Noise(115, 1, random);
             return ToRgb(y, cb, Noise(140, 1, random));
         }},
        {"Photo70s", Make<C70sPhotoImageEffect>, nullptr, true,
         [](int r, int g, int b, int, CRandom &random) {
             const auto c = ToYcc(r, g, b);
             const int y = Noise(Slope(c.y, 5), 2, random);
             const int cb = Noise(Slope(c.cb, 3), 2, random);
             return ToRgb(y, cb, Noise(Slope(c.cr, 3), 2, random));
         }},
        {"InfraRed", Make<CInfraRedImageEffect>, nullptr, true,
         [](int r, int, int, int, CRandom &random) {
             const int y = Noise(Clamp(r, 16, 239), 1, random);
             const int cb = Noise(128, 1, random);
             return ToRgb(y, cb, Noise(128, 1, random));
         }},
        {"ColorNegative", Make<CColorNegativeImageEffect>, nullptr, false,
         [](int r, int g, int b, int, CRandom &) {
             return Rgb{255 - r, 255 - g, 255 - b};
         }},
        {"NightGain", Make<CNightGainImageEffect>, nullptr, false, {}},
    };
    return effects;
}

std::vector<int> Indices()
{
    std::vector<int> indices(Effects().size());
    for (size_t i = 0; i < indices.size(); ++i)
        indices[i] = static_cast<int>(i);
    return indices;
}

std::string EffectName(const testing::TestParamInfo<int> &info)
{
    return Effects()[info.param].name;
}

// Every byte that is not a colour byte of a pixel: fourth bytes and row padding.
std::vector<uint8_t> ForeignBytes(const TestPixels &pixels)
{
    std::vector<uint8_t> bytes;
    for (int y = 0; y < pixels.height; ++y)
        for (int i = 0; i < pixels.stride; ++i)
            if (i >= 4 * pixels.width || i % 4 == 3)
                bytes.push_back(pixels.bytes[static_cast<size_t>(y) * pixels.stride + i]);
    return bytes;
}

class ToneEffectContract : public testing::TestWithParam<int>
{
protected:
    const Effect &effect() const { return Effects()[GetParam()]; }
};

TEST_P(ToneEffectContract, WritesOnlyTheColourBytesOfEveryPixel)
{
    TestPixels pixels = TestPixels::random(9, 6, 11, 7);
    const auto before = ForeignBytes(pixels);
    auto subject = effect().make();
    EXPECT_EQ(Apply(*subject, pixels, 10), 1);
    EXPECT_EQ(ForeignBytes(pixels), before);
}

TEST_P(ToneEffectContract, RunsOnOnePixelAndOnSinglePixelRowsAndColumns)
{
    for (const auto &size : {std::pair{1, 1}, std::pair{1, 5}, std::pair{5, 1}}) {
        TestPixels pixels = TestPixels::random(size.first, size.second, 3, 4);
        const auto before = ForeignBytes(pixels);
        auto subject = effect().make();
        EXPECT_EQ(Apply(*subject, pixels, 10), 1) << size.first << "x" << size.second;
        EXPECT_EQ(ForeignBytes(pixels), before) << size.first << "x" << size.second;
    }
}

TEST_P(ToneEffectContract, RefusesAnEmptyPictureWithoutTouchingIt)
{
    TestPixels pixels = TestPixels::random(4, 3, 5);
    const auto before = pixels.bytes;
    auto subject = effect().make();
    subject->SetInput(pixels.data(), 0, 3, static_cast<unsigned short>(pixels.stride));
    EXPECT_EQ(subject->Process(), 0);
    subject->SetInput(pixels.data(), 4, 0, static_cast<unsigned short>(pixels.stride));
    EXPECT_EQ(subject->Process(), 0);
    EXPECT_EQ(pixels.bytes, before);
}

TEST_P(ToneEffectContract, GivesTheSameBytesForTheSameSeed)
{
    TestPixels first = TestPixels::random(16, 8, 21, 3);
    TestPixels second = first;
    auto subject = effect().make();
    Apply(*subject, first, 4, 1234);
    Apply(*subject, second, 4, 1234); // the same object again: no state carries over
    EXPECT_EQ(first.bytes, second.bytes);
}

TEST_P(ToneEffectContract, DrawsNoiseOnlyWhereTheLookIsGrainy)
{
    TestPixels first = TestPixels::random(16, 8, 21);
    TestPixels second = first;
    auto subject = effect().make();
    Apply(*subject, first, 10, 1);
    Apply(*subject, second, 10, 2);
    EXPECT_EQ(first.bytes != second.bytes, effect().noisy);
}

TEST_P(ToneEffectContract, NamesItsLevelOnlyWhenItHasASlider)
{
    auto subject = effect().make();
    const CText name = subject->GetLevel1Name();
    if (effect().levelName == nullptr)
        EXPECT_TRUE(name.IsEmpty());
    else
        EXPECT_STREQ(name.Get(), effect().levelName);
    EXPECT_TRUE(subject->GetLevel2Name().IsEmpty());
}

TEST_P(ToneEffectContract, TreatsLevelsAbove20As20)
{
    TestPixels clamped = TestPixels::random(12, 5, 8);
    TestPixels top = clamped;
    auto subject = effect().make();
    Apply(*subject, clamped, 255);
    Apply(*subject, top, 20);
    EXPECT_EQ(clamped.bytes, top.bytes);
}

// A slider starts at the neutral 10; without one the level changes nothing.
TEST_P(ToneEffectContract, ReadsTheLevelOnlyWithASlider)
{
    if (effect().levelName != nullptr) {
        EXPECT_EQ(effect().make()->GetLevel1(), 10);
        return;
    }
    TestPixels low = TestPixels::random(12, 5, 9);
    TestPixels high = low;
    auto subject = effect().make();
    Apply(*subject, low, 0);
    Apply(*subject, high, 20);
    EXPECT_EQ(low.bytes, high.bytes);
}

INSTANTIATE_TEST_SUITE_P(AllEffects, ToneEffectContract, testing::ValuesIn(Indices()), EffectName);

// (effect, level): every level of the sliders, the ends and middle of the others.
struct ModelCase
{
    int effect;
    int level;
};

void PrintTo(const ModelCase &c, std::ostream *out)
{
    *out << Effects()[c.effect].name << " at level " << c.level;
}

std::vector<ModelCase> ModelCases()
{
    std::vector<ModelCase> cases;
    for (int i : Indices()) {
        if (!Effects()[i].model)
            continue;
        if (Effects()[i].levelName != nullptr) {
            for (int level = 0; level <= 20; ++level)
                cases.push_back({i, level});
        } else {
            cases.push_back({i, 10});
        }
    }
    return cases;
}

class ToneEffectModel : public testing::TestWithParam<ModelCase>
{
};

TEST_P(ToneEffectModel, MatchesThePlainArithmeticOnEveryPixel)
{
    const Effect &effect = Effects()[GetParam().effect];
    const int level = GetParam().level;
    // Odd sizes and a padded stride: offsets must come from the stride, not the width.
    TestPixels pixels = TestPixels::random(37, 23, 99, 6);
    const TestPixels input = pixels;
    auto subject = effect.make();
    const unsigned seed = 4242;
    Apply(*subject, pixels, level, seed);

    CRandom random(seed);
    int mismatches = 0;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x) {
            const auto in = input.rgb(x, y);
            const Rgb expected = effect.model(in[0], in[1], in[2], level, random);
            const auto out = pixels.rgb(x, y);
            if (out != std::vector<int>(expected.begin(), expected.end()) && ++mismatches <= 3)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") from " << in[0] << "," << in[1]
                              << "," << in[2] << " became " << out[0] << "," << out[1] << ","
                              << out[2] << ", expected " << expected[0] << "," << expected[1] << ","
                              << expected[2];
        }
    EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(PixelEffects, ToneEffectModel, testing::ValuesIn(ModelCases()),
                         [](const testing::TestParamInfo<ModelCase> &info) {
                             return Effects()[info.param.effect].name + "_level" +
                                    std::to_string(info.param.level);
                         });

} // namespace

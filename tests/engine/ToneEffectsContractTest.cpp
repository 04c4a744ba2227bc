// What every tone, colour, monochrome, vintage and night effect honours, and its
// pixel-for-pixel agreement with the plain-arithmetic model wherever a pixel's result
// depends on that pixel alone (noise drawn in the effect's order from the same seed).

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

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
#include "EffectTestSupport.h"

namespace {

using namespace ycc;

// Expected colour from the input's (Y, Cb, Cr) and red; noise drawn from `random`.
using Model = std::function<Rgb(Ycc c, int red, int level, CRandom &random)>;

struct Effect
{
    std::string name;
    std::function<std::unique_ptr<CImageEffect>()> make;
    const char *levelName; // null: no slider
    bool noisy;
    Model model; // empty where the result depends on the whole picture
};

template <class T> std::unique_ptr<CImageEffect> Make()
{
    return std::make_unique<T>();
}

Rgb NightVision(Ycc c, int, int, CRandom &random)
{
    const Rgb green = ToRgb(Noise(Clamp(static_cast<int>(c.y * 0.7), 16), 1, random), 81, 71);
    const int red = Noise(green[0], 1, random);
    const int grn = Noise(green[1], 1, random);
    return {red, grn, Noise(green[2], 1, random)};
}

// Noise on Y, Cb and Cr, in that order, with the given amounts.
Rgb Grain(int y, int ya, int cb, int cba, int cr, int cra, CRandom &random)
{
    const int gy = Noise(y, ya, random);
    const int gcb = Noise(cb, cba, random);
    return ToRgb(gy, gcb, Noise(cr, cra, random));
}

// clang-format off
const std::vector<Effect> &Effects()
{
    static const std::vector<Effect> effects = {
        {"Brightness", Make<CBrightnessImageEffect>, "Brightness", false,
         [](Ycc c, int, int l, CRandom &) { return ToRgb(Clamp(c.y + 4 * l - 40), c.cb, c.cr); }},
        {"Contrast", Make<CContrastImageEffect>, "Contrast", false,
         [](Ycc c, int, int l, CRandom &) { return ToRgb(Slope(c.y, l), c.cb, c.cr); }},
        {"Saturation", Make<CColorSaturationImageEffect>, "Saturation", false,
         [](Ycc c, int, int l, CRandom &) { return ToRgb(c.y, Slope(c.cb, l), Slope(c.cr, l)); }},
        {"ColorBalance", Make<CColorBalanceImageEffect>, "Color Balance", false,
         [](Ycc c, int, int l, CRandom &) { return ToRgb(c.y, Slope(c.cb, l), Slope(c.cr, 20 - l)); }},
        {"AutoCorrection", Make<CAutoCorrectionImageEffect>, nullptr, false, {}},
        {"AutoSaturation", Make<CAutoSaturationImageEffect>, nullptr, false, {}},
        {"AutoColorBalance", Make<CAutoColorBalanceImageEffect>, nullptr, false, {}},
        {"BlackAndWhite", Make<CBlackAndWhiteImageEffect>, nullptr, false,
         [](Ycc c, int, int, CRandom &) { return ToRgb(c.y, 128, 128); }},
        {"Sepia", Make<CSepiaImageEffect>, nullptr, false,
         [](Ycc c, int, int, CRandom &) { return ToRgb(c.y, 115, 140); }},
        {"XRay", Make<CXRayImageEffect>, nullptr, false,
         [](Ycc c, int, int, CRandom &) { return ToRgb(255 - c.y, 128, 128); }},
        {"DramaticBlackAndWhite", Make<CDramaticBlackAndWhiteImageEffect>, nullptr, false, {}},
        {"SkintoneHighlight", Make<CBlackAndWhiteSkintoneHighlightImageEffect>, nullptr, false,
         [](Ycc c, int, int, CRandom &) {
             const bool skin = c.cb >= 100 && c.cb <= 130 && c.cr >= 135 && c.cr <= 165;
             return ToRgb(c.y, skin ? c.cb : 128, skin ? c.cr : 128); }},
        {"NightVision", Make<CNightVisionImageEffect>, nullptr, true, NightVision},
        {"Photo30s", Make<C30sPhotoImageEffect>, nullptr, true,
         [](Ycc c, int, int, CRandom &r) { return Grain(Slope(c.y, 3), 3, 115, 1, 140, 1, r); }},
        {"Photo70s", Make<C70sPhotoImageEffect>, nullptr, true,
         [](Ycc c, int, int, CRandom &r) { return Grain(Slope(c.y, 5), 2, Slope(c.cb, 3), 2, Slope(c.cr, 3), 2, r); }},
        {"InfraRed", Make<CInfraRedImageEffect>, nullptr, true,
         [](Ycc, int red, int, CRandom &r) { return Grain(Clamp(red, 16, 239), 1, 128, 1, 128, 1, r); }},
        {"ColorNegative", Make<CColorNegativeImageEffect>, nullptr, false, {}},
        {"NightGain", Make<CNightGainImageEffect>, nullptr, false, {}},
    };
    return effects;
}
// clang-format on

// Fourth bytes and row padding: everything the engine must leave alone.
std::vector<uint8_t> ForeignBytes(const TestPixels &pixels)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < pixels.bytes.size(); ++i) {
        const size_t column = i % pixels.stride;
        if (column >= 4u * pixels.width || column % 4 == 3)
            bytes.push_back(pixels.bytes[i]);
    }
    return bytes;
}

class ToneEffectContract : public testing::TestWithParam<int>
{
protected:
    const Effect &effect() const { return Effects()[GetParam()]; }
};

TEST_P(ToneEffectContract, WritesOnlyColourBytesAtAnySize)
{
    for (auto [w, h] : {std::pair{9, 6}, {1, 1}, {1, 5}, {5, 1}}) {
        TestPixels pixels = TestPixels::random(w, h, 11, 7);
        const auto before = ForeignBytes(pixels);
        EXPECT_EQ(Apply(*effect().make(), pixels), 1) << w << "x" << h;
        EXPECT_EQ(ForeignBytes(pixels), before) << w << "x" << h;
    }
}

TEST_P(ToneEffectContract, RefusesAnEmptyPictureWithoutTouchingIt)
{
    TestPixels pixels = TestPixels::random(4, 3, 5);
    const auto before = pixels.bytes;
    auto subject = effect().make();
    subject->SetInput(pixels.data(), 0, 3, 16);
    EXPECT_EQ(subject->Process(), 0);
    subject->SetInput(pixels.data(), 4, 0, 16);
    EXPECT_EQ(subject->Process(), 0);
    EXPECT_EQ(pixels.bytes, before);
}

TEST_P(ToneEffectContract, RepeatsItselfForASeedAndVariesWithItOnlyWhenGrainy)
{
    const TestPixels input = TestPixels::random(16, 8, 21, 3);
    TestPixels first = input, again = input, other = input;
    auto subject = effect().make(); // one object throughout: nothing carries over
    Apply(*subject, first, 4, 1234);
    Apply(*subject, again, 4, 1234);
    Apply(*subject, other, 4, 99);
    EXPECT_EQ(first.bytes, again.bytes);
    EXPECT_EQ(first.bytes != other.bytes, effect().noisy);
}

TEST_P(ToneEffectContract, OffersALevelOnlyWithASliderAndClampsItTo20)
{
    auto subject = effect().make();
    EXPECT_TRUE(subject->GetLevel2Name().IsEmpty());
    const TestPixels input = TestPixels::random(12, 5, 8);
    TestPixels low = input, top = input, beyond = input;
    Apply(*subject, low, 0);
    Apply(*subject, top, 20);
    Apply(*subject, beyond, 255);
    EXPECT_EQ(beyond.bytes, top.bytes);
    if (effect().levelName == nullptr) {
        EXPECT_TRUE(subject->GetLevel1Name().IsEmpty());
        EXPECT_EQ(low.bytes, top.bytes);
    } else {
        EXPECT_STREQ(subject->GetLevel1Name().Get(), effect().levelName);
        EXPECT_EQ(effect().make()->GetLevel1(), 10);
    }
}

std::vector<int> AllEffects()
{
    std::vector<int> all(Effects().size());
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<int>(i);
    return all;
}

INSTANTIATE_TEST_SUITE_P(Each, ToneEffectContract, testing::ValuesIn(AllEffects()),
                         [](const auto &info) { return Effects()[info.param].name; });

// (effect, level): every level of a slider, level 10 otherwise.
class ToneEffectModel : public testing::TestWithParam<std::pair<int, int>>
{
};

TEST_P(ToneEffectModel, MatchesThePlainArithmeticOnEveryPixel)
{
    const auto [index, level] = GetParam();
    // Odd sizes and a padded stride: offsets must come from the stride, not the width.
    TestPixels pixels = TestPixels::random(37, 23, 99, 6);
    const TestPixels input = pixels;
    Apply(*Effects()[index].make(), pixels, level, 4242);

    CRandom random(4242);
    int mismatches = 0;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x) {
            const auto in = input.rgb(x, y);
            const Rgb expected =
                Effects()[index].model(ToYcc(in[0], in[1], in[2]), in[0], level, random);
            if (pixels.rgb(x, y) != expected && ++mismatches <= 3)
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << testing::PrintToString(in)
                              << " became " << testing::PrintToString(pixels.rgb(x, y))
                              << ", expected " << testing::PrintToString(expected);
        }
    EXPECT_EQ(mismatches, 0);
}

std::vector<std::pair<int, int>> ModelCases()
{
    std::vector<std::pair<int, int>> cases;
    for (int i : AllEffects())
        for (int level = 0; level <= 20 && Effects()[i].model; ++level)
            if (Effects()[i].levelName != nullptr || level == 10)
                cases.emplace_back(i, level);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(PixelEffects, ToneEffectModel, testing::ValuesIn(ModelCases()),
                         [](const auto &info) {
                             return Effects()[info.param.first].name + "_level" +
                                    std::to_string(info.param.second);
                         });

} // namespace

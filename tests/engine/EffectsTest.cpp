// What all 26 effects honour, and pixel-for-pixel agreement with the plain-arithmetic model
// wherever a pixel's result depends on that pixel alone (noise drawn in the effect's order).

#include <string>

#include <gtest/gtest.h>

#include "EffectTestSupport.h"

namespace {

using namespace ycc;

// Distance from 128 scaled by (67 + 6L) / 127 up to level 10, by 127 / (187 - 6L) above.
int Slope(int v, int level)
{
    const double s = level <= 10 ? (67 + 6 * level) / 127.0 : 127.0 / (187 - 6 * level);
    return level == 10 ? v : Clamp(static_cast<int>(s * (v - 128) + 128.0));
}

// One input pixel: its (Y, Cb, Cr), its colour, the level, and the noise source.
struct In
{
    int y, cb, cr;
    Rgb rgb;
    int level;
    CRandom &random;

    int Noise(int value, int amount) const
    {
        return Clamp(value + random.Next() % (8 * amount) - 4 * amount);
    }
    // Noise on Y, Cb and Cr, in that order.
    Rgb Grain(int gy, int ya, int gcb, int cba, int gcr, int cra) const
    {
        const int noisyY = Noise(gy, ya);
        const int noisyCb = Noise(gcb, cba);
        return ToRgb(noisyY, noisyCb, Noise(gcr, cra));
    }
    // Noise on the painted luma, then on red, green and blue.
    Rgb Painted(int luma, int tintCb, int tintCr, int amount) const
    {
        const Rgb c = ToRgb(Noise(luma, amount), tintCb, tintCr);
        const int red = Noise(c[0], amount);
        const int green = Noise(c[1], amount);
        return {red, green, Noise(c[2], amount)};
    }
};
using Model = Rgb (*)(const In &);

struct Effect
{
    const char *name;
    std::unique_ptr<CImageEffect> (*make)();
    const char *levelName; // null: no slider
    bool noisy;
    Model model; // null where the result depends on the whole picture
};

// clang-format off
const Effect kEffects[] = {
    {"Brightness", Make<CBrightnessImageEffect>, "Brightness", false,
     [](const In &p) { return ToRgb(Clamp(p.y + 4 * p.level - 40), p.cb, p.cr); }},
    {"Contrast", Make<CContrastImageEffect>, "Contrast", false,
     [](const In &p) { return ToRgb(Slope(p.y, p.level), p.cb, p.cr); }},
    {"Saturation", Make<CColorSaturationImageEffect>, "Saturation", false,
     [](const In &p) { return ToRgb(p.y, Slope(p.cb, p.level), Slope(p.cr, p.level)); }},
    {"ColorBalance", Make<CColorBalanceImageEffect>, "Color Balance", false,
     [](const In &p) { return ToRgb(p.y, Slope(p.cb, p.level), Slope(p.cr, 20 - p.level)); }},
    {"AutoCorrection", Make<CAutoCorrectionImageEffect>, nullptr, false, nullptr},
    {"AutoSaturation", Make<CAutoSaturationImageEffect>, nullptr, false, nullptr},
    {"AutoColorBalance", Make<CAutoColorBalanceImageEffect>, nullptr, false, nullptr},
    {"BlackAndWhite", Make<CBlackAndWhiteImageEffect>, nullptr, false,
     [](const In &p) { return ToRgb(p.y, 128, 128); }},
    {"Sepia", Make<CSepiaImageEffect>, nullptr, false,
     [](const In &p) { return ToRgb(p.y, 115, 140); }},
    {"XRay", Make<CXRayImageEffect>, nullptr, false,
     [](const In &p) { return ToRgb(255 - p.y, 128, 128); }},
    {"DramaticBlackAndWhite", Make<CDramaticBlackAndWhiteImageEffect>, nullptr, false, nullptr},
    {"SkintoneHighlight", Make<CBlackAndWhiteSkintoneHighlightImageEffect>, nullptr, false,
     [](const In &p) {
         const bool skin = p.cb >= 100 && p.cb <= 130 && p.cr >= 135 && p.cr <= 165;
         return ToRgb(p.y, skin ? p.cb : 128, skin ? p.cr : 128); }},
    // Phosphor green (37, 191, 33) has Cb 81 and Cr 71.
    {"NightVision", Make<CNightVisionImageEffect>, nullptr, true,
     [](const In &p) { return p.Painted(Clamp(static_cast<int>(p.y * 0.7), 16), 81, 71, 1); }},
    {"Photo30s", Make<C30sPhotoImageEffect>, nullptr, true,
     [](const In &p) { return p.Grain(Slope(p.y, 3), 3, 115, 1, 140, 1); }},
    {"Photo70s", Make<C70sPhotoImageEffect>, nullptr, true,
     [](const In &p) { return p.Grain(Slope(p.y, 5), 2, Slope(p.cb, 3), 2, Slope(p.cr, 3), 2); }},
    {"InfraRed", Make<CInfraRedImageEffect>, nullptr, true,
     [](const In &p) { return p.Grain(Clamp(p.rgb[0], 16, 239), 1, 128, 1, 128, 1); }},
    {"ColorNegative", Make<CColorNegativeImageEffect>, nullptr, false,
     [](const In &p) { return Rgb{255 - p.rgb[0], 255 - p.rgb[1], 255 - p.rgb[2]}; }},
    {"NightGain", Make<CNightGainImageEffect>, nullptr, false, nullptr},
    {"Ink", Make<CInkedImageEffect>, "Sensitivity", false, nullptr},
    {"Sculpture", Make<CSculptureImageEffect>, "Sensitivity", false, nullptr},
    {"ColorSculpture", Make<CColorSculptureImageEffect>, "Sensitivity", false, nullptr},
    {"ColorLineArt", Make<CColorLineArtImageEffect>, "Sensitivity", false, nullptr},
    {"ColorPencil", Make<CColorPencilImageEffect>, "Sensitivity", false, nullptr},
    {"Posterization", Make<CPosterizationImageEffect>, "Details", false, nullptr},
    {"WaterColor", Make<CWaterColorImageEffect>, "Details", true, nullptr},
    {"Stencil", Make<CStencilImageEffect>, "Level", false, nullptr},
};
// clang-format on

// Fourth bytes and row padding: everything an effect must leave alone.
std::vector<uint8_t> ForeignBytes(const TestPixels &pixels)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < pixels.bytes.size(); ++i)
        if (i % pixels.stride >= 4u * pixels.width || i % pixels.stride % 4 == 3)
            bytes.push_back(pixels.bytes[i]);
    return bytes;
}

class EveryEffect : public testing::TestWithParam<Effect>
{
};

TEST_P(EveryEffect, WritesOnlyColourBytesAtAnySize)
{
    auto effect = GetParam().make(); // one object throughout: planes follow the size
    for (auto [w, h] : {std::pair{9, 6}, {1, 1}, {1, 5}, {5, 1}, {2, 2}, {40, 3}}) {
        TestPixels pixels = TestPixels::random(w, h, 11, 7);
        const auto before = ForeignBytes(pixels);
        EXPECT_EQ(Apply(*effect, pixels), 1) << w << "x" << h;
        EXPECT_EQ(ForeignBytes(pixels), before) << w << "x" << h;
    }
}

TEST_P(EveryEffect, RepeatsForASeedAndTakesLevelsAbove20As20)
{
    const Effect &e = GetParam();
    auto effect = e.make();
    EXPECT_STREQ(effect->GetLevel1Name().Get(), e.levelName ? e.levelName : "");
    EXPECT_TRUE(!e.levelName || effect->GetLevel1() == 10); // sliders start mid-way
    const TestPixels input = TestPixels::random(16, 8, 21, 3);
    const auto output = [&](int level, unsigned seed) {
        TestPixels pixels = input;
        Apply(*effect, pixels, level, seed);
        return pixels.bytes;
    };
    EXPECT_EQ(output(4, 1234), output(4, 1234));
    EXPECT_EQ(output(4, 1234) != output(4, 99), e.noisy); // only grainy effects use the seed
    EXPECT_EQ(output(21, 5), output(20, 5));
    EXPECT_EQ(output(255, 5), output(20, 5));
    EXPECT_EQ(effect->GetLevel1(), 20);
    EXPECT_EQ(output(0, 5) == output(20, 5), e.levelName == nullptr);
}

INSTANTIATE_TEST_SUITE_P(All, EveryEffect, testing::ValuesIn(kEffects),
                         [](const auto &info) { return std::string(info.param.name); });

// Every pixel of a padded odd-sized random picture against the model, noise seeded alike.
void ExpectModel(CImageEffect &effect, int level, Model model)
{
    TestPixels pixels = TestPixels::random(37, 23, 99, 6);
    const TestPixels input = pixels;
    Apply(effect, pixels, level, 4242);
    CRandom random(4242);
    for (int i = 0; i < 37 * 23; ++i) {
        const Rgb in = input.rgb(i % 37, i / 37);
        const Ycc c = ToYcc(in[0], in[1], in[2]);
        ASSERT_EQ(pixels.rgb(i % 37, i / 37), model({c.y, c.cb, c.cr, in, level, random}))
            << "pixel " << i % 37 << "," << i / 37 << " was " << testing::PrintToString(in);
    }
}

// (effect, level): every level of a slider, level 10 otherwise.
class PixelModel : public testing::TestWithParam<std::pair<const Effect *, int>>
{
};

TEST_P(PixelModel, MatchesThePlainArithmeticOnEveryPixel)
{
    ExpectModel(*GetParam().first->make(), GetParam().second, GetParam().first->model);
}

std::vector<std::pair<const Effect *, int>> ModelCases()
{
    std::vector<std::pair<const Effect *, int>> cases;
    for (const Effect &e : kEffects)
        for (int level = 0; level <= 20 && e.model; ++level)
            if (e.levelName || level == 10)
                cases.emplace_back(&e, level);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(PixelEffects, PixelModel, testing::ValuesIn(ModelCases()),
                         [](const auto &info) {
                             return info.param.first->name + std::to_string(info.param.second);
                         });

// The luma painter with a tint and more grain than any effect uses.
struct GrainyTint : CYImageEffect
{
    GrainyTint()
    {
        mNoise = 6;
        mCb = 100;
        mCr = 150;
    }
};

TEST(CYImageEffect, DrawsLumaThenRedGreenBlueForEveryPixel)
{
    GrainyTint effect;
    ExpectModel(effect, 10, [](const In &p) { return p.Painted(p.y, 100, 150, 6); });
}

} // namespace

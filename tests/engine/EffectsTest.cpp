// What all 26 effects honour, and pixel-for-pixel agreement with the plain-arithmetic model
// wherever a pixel's result depends on that pixel alone (noise drawn in the effect's order).

#include <iterator>
#include <tuple>

#include <gtest/gtest.h>

#include "EffectTestSupport.h"

namespace {

using EveryEffect = testing::TestWithParam<NamedEffect>;

TEST_P(EveryEffect, NamesItsSliderTakesLevelsAbove20As20AndRefusesAnEmptyPicture)
{
    const NamedEffect &e = GetParam();
    auto effect = e.make();
    EXPECT_STREQ(effect->GetLevel1Name().Get(), e.level ? e.level : "");
    EXPECT_TRUE(!e.level || effect->GetLevel1() == 10); // sliders start mid-way
    const TestPixels input = TestPixels::random(16, 8, 21, 3);
    const auto output = [&](int level) {
        TestPixels pixels = input;
        Apply(*effect, pixels, level, 5);
        return pixels.bytes;
    };
    EXPECT_EQ(output(21), output(20));
    EXPECT_EQ(output(0) == output(20), e.level == nullptr);
    TestPixels pixels(4, 4);
    for (auto [data, width, height] : {std::tuple<uint8_t *, int, int>{nullptr, 4, 4},
                                       {pixels.bytes.data(), 0, 4},
                                       {pixels.bytes.data(), 4, 0}}) {
        effect->SetInput(data, static_cast<unsigned short>(width),
                         static_cast<unsigned short>(height), 16);
        EXPECT_EQ(effect->Process(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(All, EveryEffect, testing::ValuesIn(kAllEffects), EffectName);

// The night gain curve, drawn by hand: steep in the shadows, falling from 40 to 36 at 71.
// clang-format off
const int kNightGain[256] = {
     16,  16,  16,  16,  16,  16,  16,  16,  16,  16,  16,  16,  16,  16,  16,  16,
     16,  16,  16,  16,  16,  16,  16,  16,  16,  16,  17,  17,  17,  17,  17,  17,
     18,  18,  18,  18,  18,  19,  19,  19,  19,  20,  20,  20,  21,  21,  22,  22,
     23,  23,  24,  24,  25,  26,  26,  27,  28,  28,  29,  30,  30,  31,  32,  33,
     33,  34,  35,  36,  37,  38,  39,  40,  36,  37,  38,  40,  41,  43,  45,  46,
     48,  50,  52,  55,  57,  60,  63,  66,  69,  73,  76,  79,  83,  87,  90,  93,
     96,  98,  99, 101, 102, 104, 105, 107, 108, 110, 111, 113, 114, 116, 117, 119,
    120, 122, 123, 124, 126, 127, 128, 129, 131, 132, 133, 134, 135, 137, 138, 139,
    140, 140, 141, 142, 143, 143, 144, 144, 145, 145, 146, 146, 147, 147, 147, 148,
    148, 148, 149, 149, 149, 149, 150, 150, 150, 151, 151, 151, 151, 152, 152, 152,
    152, 153, 153, 153, 153, 154, 154, 154, 154, 155, 155, 155, 155, 156, 156, 156,
    156, 157, 157, 157, 157, 158, 158, 158, 158, 159, 159, 159, 159, 160, 160, 160,
    160, 161, 161, 161, 162, 162, 162, 163, 163, 163, 164, 164, 164, 165, 165, 166,
    166, 167, 168, 168, 169, 170, 171, 172, 173, 174, 176, 177, 179, 180, 182, 184,
    186, 189, 191, 194, 196, 199, 202, 206, 210, 214, 218, 222, 227, 232, 237, 239,
    239, 239, 239, 239, 239, 239, 239, 239, 239, 239, 239, 239, 239, 239, 239, 239,
};
// clang-format on

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

// The effects whose pixels depend on themselves alone.
// clang-format off
const std::pair<std::string, Model> kModels[] = {
    {"Brightness", [](const In &p) { return ToRgb(Clamp(p.y + 4 * p.level - 40), p.cb, p.cr); }},
    {"Contrast", [](const In &p) { return ToRgb(Slope(p.y, p.level), p.cb, p.cr); }},
    {"Saturation", [](const In &p) { return ToRgb(p.y, Slope(p.cb, p.level), Slope(p.cr, p.level)); }},
    {"ColorBalance", [](const In &p) { return ToRgb(p.y, Slope(p.cb, p.level), Slope(p.cr, 20 - p.level)); }},
    {"BlackAndWhite", [](const In &p) { return ToRgb(p.y, 128, 128); }},
    {"Sepia", [](const In &p) { return ToRgb(p.y, 115, 140); }},
    {"XRay", [](const In &p) { return ToRgb(255 - p.y, 128, 128); }},
    {"SkintoneHighlight", [](const In &p) {
         const bool skin = p.cb >= 100 && p.cb <= 130 && p.cr >= 135 && p.cr <= 165;
         return ToRgb(p.y, skin ? p.cb : 128, skin ? p.cr : 128); }},
    // Phosphor green (37, 191, 33) has Cb 81 and Cr 71; 0.7 as a double lies below 7/10, so
    // lumas 90 and 170 fall a step short.
    {"NightVision", [](const In &p) { return p.Painted(Clamp(static_cast<int>(p.y * 0.7), 16), 81, 71, 1); }},
    {"Photo30s", [](const In &p) { return p.Grain(Slope(p.y, 3), 3, 115, 1, 140, 1); }},
    {"Photo70s", [](const In &p) { return p.Grain(Slope(p.y, 5), 2, Slope(p.cb, 3), 2, Slope(p.cr, 3), 2); }},
    {"InfraRed", [](const In &p) { return p.Grain(Clamp(p.rgb[0], 16, 239), 1, 128, 1, 128, 1); }},
    {"ColorNegative", [](const In &p) { return Rgb{255 - p.rgb[0], 255 - p.rgb[1], 255 - p.rgb[2]}; }},
    {"NightGain", [](const In &p) { return ToRgb(kNightGain[p.y], p.cb, p.cr); }},
};
// clang-format on

// Every pixel of a padded odd-sized picture against the model, noise seeded alike, at every
// level of a slider, at level 10 otherwise, on both kernel sets. The picture starts with
// ramps that reach every luma (greys) and every Cb and Cr (black to yellow, blue to white,
// black to cyan, red to white); the rest is random.
TEST(PixelModel, MatchesThePlainArithmeticOnEveryPixel)
{
    TestPixels input = TestPixels::random(37, 41, 99, 6);
    for (int v = 0; v < 256; ++v) {
        const Rgb ramps[] = {{v, v, v}, {v, v, 0}, {v, v, 255}, {0, v, v}, {255, v, v}};
        for (int k = 0; k < 5; ++k)
            input.set((5 * v + k) % 37, (5 * v + k) / 37, ramps[k][0], ramps[k][1], ramps[k][2]);
    }
    // The level curves run as lines in the kernels (a failed fit gives the same bytes, slower).
    for (int level = 0; level <= 20; ++level)
        EXPECT_TRUE(CImageEffect::sSlopeCurves[level].IsLine() &&
                    CImageEffect::sOffsetCurves[level].IsLine());
    size_t modelled = 0;
    for (bool wide : {false, true})
        for (const NamedEffect &e : kAllEffects)
            for (const auto &[name, model] : kModels)
                for (int level = 0; level <= 20 && name == e.name; ++level)
                    if (e.level || level == 10) {
                        modelled += level == 10 && wide;
                        const Settings settings(wide, 0);
                        TestPixels pixels = input;
                        Apply(*e.make(), pixels, level, 4242);
                        CRandom random(4242);
                        for (int i = 0; i < 37 * 41; ++i) {
                            const Rgb in = input.rgb(i % 37, i / 37);
                            const Rgb c = ToYcc(in[0], in[1], in[2]);
                            ASSERT_EQ(pixels.rgb(i % 37, i / 37),
                                      model({c[0], c[1], c[2], in, level, random}))
                                << name << " at level " << level << ", pixel " << i % 37 << ","
                                << i / 37 << " was " << testing::PrintToString(in)
                                << (wide ? " (wide)" : "");
                        }
                    }
    EXPECT_EQ(modelled, std::size(kModels)) << "a model names no effect";
}

// Luma reaches 235, Cb and Cr 239: over 16383 x 1121 pixels of one colour each sum passes 2^32,
// where a 32-bit sum would wrap to a far lower mean. The picture comes out as the same colour
// does on four pixels.
TEST(AutomaticEffects, MeasurePicturesPastFourBillionInTheSums)
{
    TestPixels large(16383, 1121);
    const auto words = [](TestPixels &pixels) {
        auto *first = reinterpret_cast<uint32_t *>(pixels.bytes.data());
        return std::pair{first, first + pixels.bytes.size() / 4};
    };
    // White, blue and red, as words.
    for (const auto &[make, colour] : {std::pair{Make<CAutoCorrectionImageEffect>, 0xFFFFFFu},
                                       {Make<CAutoSaturationImageEffect>, 0x0000FFu},
                                       {Make<CAutoColorBalanceImageEffect>, 0xFF0000u}}) {
        TestPixels small(2, 2);
        for (TestPixels *pixels : {&small, &large}) {
            std::fill(words(*pixels).first, words(*pixels).second, colour);
            pixels->processWith(*make());
        }
        const auto [begin, end] = words(large);
        EXPECT_EQ(std::count(begin, end, *words(small).first), end - begin) << std::hex << colour;
    }
}

} // namespace

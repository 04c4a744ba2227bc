#ifndef VELMORA_TESTS_ENGINE_EFFECTTESTSUPPORT_H
#define VELMORA_TESTS_ENGINE_EFFECTTESTSUPPORT_H

// Running an effect over test pixels, and plain-arithmetic models of the colour
// conversions, curves and noise written from the formulas rather than the engine's tables.

#include <array>
#include <cmath>
#include <vector>

#include "CImageEffect.h"
#include "TestPixels.h"

inline int Apply(CImageEffect &effect, TestPixels &pixels, int level = 10, unsigned seed = 7)
{
    effect.SetLevel1(static_cast<unsigned char>(level));
    effect.SetInput(pixels.data(), static_cast<unsigned short>(pixels.width),
                    static_cast<unsigned short>(pixels.height),
                    static_cast<unsigned short>(pixels.stride));
    CImageEffect::Seed(seed);
    return effect.Process();
}

// {red, green, blue} of one pixel of that colour after `effect`.
inline std::vector<int> ApplyToPixel(CImageEffect &effect, std::vector<int> rgb, int level = 10)
{
    TestPixels pixel =
        TestPixels::solid(1, 1, static_cast<uint8_t>(rgb[0]), static_cast<uint8_t>(rgb[1]),
                          static_cast<uint8_t>(rgb[2]));
    Apply(effect, pixel, level);
    return pixel.rgb(0, 0);
}

namespace ycc {

using Rgb = std::vector<int>;
struct Ycc
{
    int y, cb, cr;
};

inline int Clamp(int v, int low = 0, int high = 255)
{
    return v < low ? low : (v > high ? high : v);
}
inline int FloorDiv(int v, int d)
{
    return static_cast<int>(std::floor(static_cast<double>(v) / d));
}
inline Ycc ToYcc(int r, int g, int b)
{
    return {Clamp(16 + FloorDiv(66 * r + 129 * g + 25 * b, 256)),
            Clamp(128 + FloorDiv(-38 * r - 74 * g + 112 * b, 256)),
            Clamp(128 + FloorDiv(112 * r - 94 * g - 18 * b, 256))};
}
inline Rgb ToRgb(int y, int cb, int cr)
{
    const int luma = 149 * (y - 16);
    return {Clamp(FloorDiv(luma + 204 * (cr - 128), 128)),
            Clamp(FloorDiv(luma - 50 * (cb - 128) - 104 * (cr - 128), 128)),
            Clamp(FloorDiv(luma + 258 * (cb - 128), 128))};
}
// Distance from 128 scaled by (67 + 6L) / 127 up to level 10, by 127 / (187 - 6L) above.
inline int Slope(int v, int level)
{
    if (level == 10)
        return v;
    const double s = level < 10 ? (67 + 6 * level) / 127.0 : 127.0 / (187 - 6 * level);
    return Clamp(static_cast<int>(s * (v - 128) + 128.0));
}
inline int Noise(int value, int amount, CRandom &random)
{
    return Clamp(value + random.Next() % (8 * amount) - 4 * amount);
}

} // namespace ycc

#endif

#ifndef VELMORA_TESTS_ENGINE_YCCREFERENCE_H
#define VELMORA_TESTS_ENGINE_YCCREFERENCE_H

// Plain-arithmetic models of the engine's colour conversions, curves and noise, written
// from the formulas rather than the lookup tables, so that effect output can be checked
// pixel for pixel against an independent computation.

#include <array>
#include <cmath>

#include "CRandom.h"

namespace ycc {

inline int Clamp(int v, int low = 0, int high = 255)
{
    return v < low ? low : (v > high ? high : v);
}

inline int FloorDiv(int value, int divisor)
{
    return static_cast<int>(std::floor(static_cast<double>(value) / divisor));
}

struct Ycc
{
    int y, cb, cr;
};
using Rgb = std::array<int, 3>; // red, green, blue

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

inline int Offset(int v, int level)
{
    return Clamp(v + 4 * level - 40);
}

// One draw from `random`: value plus a term in -4a .. 4a-1, clamped.
inline int Noise(int value, int amount, CRandom &random)
{
    if (amount == 0)
        return value;
    return Clamp(value + random.Next() % (8 * amount) - 4 * amount);
}

} // namespace ycc

#endif

#ifndef VELMORA_TESTS_ENGINE_APPLYEFFECT_H
#define VELMORA_TESTS_ENGINE_APPLYEFFECT_H

#include <vector>

#include "CImageEffect.h"
#include "TestPixels.h"

// Runs `effect` at `level` over `pixels`, the generator seeded with `seed` first.
inline int Apply(CImageEffect &effect, TestPixels &pixels, int level = 10, unsigned seed = 7)
{
    effect.SetLevel1(static_cast<unsigned char>(level));
    effect.SetInput(pixels.data(), static_cast<unsigned short>(pixels.width),
                    static_cast<unsigned short>(pixels.height),
                    static_cast<unsigned short>(pixels.stride));
    CImageEffect::Seed(seed);
    return effect.Process();
}

// One pixel of the given colour through `effect`; returns {red, green, blue}.
inline std::vector<int> ApplyToPixel(CImageEffect &effect, int red, int green, int blue,
                                     int level = 10)
{
    TestPixels pixel = TestPixels::solid(1, 1, static_cast<uint8_t>(red),
                                         static_cast<uint8_t>(green), static_cast<uint8_t>(blue));
    Apply(effect, pixel, level);
    return pixel.rgb(0, 0);
}

#endif

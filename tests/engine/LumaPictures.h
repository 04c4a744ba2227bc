#ifndef VELMORA_TESTS_ENGINE_LUMAPICTURES_H
#define VELMORA_TESTS_ENGINE_LUMAPICTURES_H

// Grey pictures with chosen luma values, and a probe that opens an effect's planes and
// tables to the test.

#include <vector>

#include "TestPixels.h"

// The grey level whose luma is exactly `luma` (16..235): a grey v has luma
// 16 + floor(220 v / 256), so the smallest v with 220 v >= 256 (luma - 16) is it.
inline uint8_t GreyForLuma(int luma)
{
    return static_cast<uint8_t>(((luma - 16) * 256 + 219) / 220);
}

// A width x height grey picture; `lumas` lists the luma of each pixel row by row.
inline TestPixels LumaPicture(int width, int height, const std::vector<int> &lumas, int padding = 0)
{
    TestPixels pixels(width, height, padding);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t v = GreyForLuma(lumas[static_cast<size_t>(y * width + x)]);
            pixels.set(x, y, v, v, v);
        }
    return pixels;
}

template <class Effect> int Apply(Effect &effect, TestPixels &pixels)
{
    effect.SetInput(pixels.data(), static_cast<unsigned short>(pixels.width),
                    static_cast<unsigned short>(pixels.height),
                    static_cast<unsigned short>(pixels.stride));
    return effect.Process();
}

// Opens the protected state of the drawing effects.
template <class Effect> struct DrawingProbe : Effect
{
    using Effect::mSensitivity;
    using Effect::mYPlane2;
    int Drawn(int x, int y) const { return mYPlane2[static_cast<size_t>(y * this->mWidth + x)]; }
};

#endif

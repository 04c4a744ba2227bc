#ifndef VELMORA_ENGINE_CYIMAGEEFFECT_H
#define VELMORA_ENGINE_CYIMAGEEFFECT_H

#include "CImageEffect.h"

// Turns every pixel into its luma and paints it back with one fixed chroma (grey or a
// tint), optionally with noise on the luma and on each painted colour.
class CYImageEffect : public CImageEffect
{
public:
    int ProcessSelf() override;

protected:
    // Paints every pixel with luma map(its luma) and the fixed chroma mCb, mCr. With noise,
    // each pixel draws four numbers, in this order: luma, red, green, blue. A template, so
    // the map is inlined: no call per pixel. The fast path works a row at a time: the
    // lumas, the map, and the painting are separate loops, the first and last vectorised,
    // and the noise terms of a row are drawn in one go.
    template <class Map> void PaintLuma(Map map)
    {
        if (mReference) {
            PaintLumaByPixel(map);
            return;
        }
        const UPixelRows::Tint tint = UPixelRows::TintOf(mCb, mCr);
        const unsigned char amount = mNoise;
        ForRows(amount ? 4 : 0, [this, &map, tint, amount](int first, int end) {
            const size_t width = mWidth;
            std::vector<unsigned char> luma(width);
            std::vector<int> noise(amount ? 4 * width : 0);
            for (int y = first; y < end; ++y) {
                unsigned char *row = Row(y);
                UPixelRows::ToY(row, mWidth, luma.data());
                if (amount == 0) {
                    for (size_t x = 0; x < width; ++x)
                        luma[x] = map(luma[x]);
                    UPixelRows::FromY(luma.data(), tint, mWidth, row);
                    continue;
                }
                CRandom::Current().Draw(noise.data(), 4 * mWidth);
                UPixelRows::NoiseTerms(noise.data(), 4 * mWidth, amount);
                for (size_t x = 0; x < width; ++x) {
                    const int v = map(luma[x]) + noise[4 * x];
                    luma[x] = static_cast<unsigned char>(v < 0 ? 0 : (v > 255 ? 255 : v));
                }
                UPixelRows::FromYNoisy(luma.data(), tint, noise.data(), mWidth, row);
            }
        });
    }

    template <class Map> void PaintLumaByPixel(Map map)
    {
        using U = UColorSpace;
        // The chroma terms are the same for every pixel: read them once.
        const int redTerm = U::sCrRed[mCr];
        const int greenTerm = U::sCrGreen[mCr] + U::sCbGreen[mCb];
        const int blueTerm = U::sCbBlue[mCb];
        const unsigned char *clip = U::sCliping;
        const unsigned char amount = mNoise;
        for (int y = 0; y < mHeight; ++y) {
            unsigned char *row = Row(y);
            for (int x = 0; x < mWidth; ++x) {
                unsigned char *p = row + 4 * x;
                const unsigned char luma = map(U::Luma(p[2], p[1], p[0]));
                if (amount == 0) {
                    const int base = U::sY[luma];
                    p[2] = clip[(base + redTerm) >> 7];
                    p[1] = clip[(base + greenTerm) >> 7];
                    p[0] = clip[(base + blueTerm) >> 7];
                    continue;
                }
                const int base = U::sY[Noise(luma, amount)];
                const unsigned char red = Noise(clip[(base + redTerm) >> 7], amount);
                const unsigned char green = Noise(clip[(base + greenTerm) >> 7], amount);
                const unsigned char blue = Noise(clip[(base + blueTerm) >> 7], amount);
                p[2] = red;
                p[1] = green;
                p[0] = blue;
            }
        }
    }

    unsigned char mNoise = 0;
    unsigned char mCb = 128;
    unsigned char mCr = 128;
};

#endif

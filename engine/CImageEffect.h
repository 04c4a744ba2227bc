#ifndef VELMORA_ENGINE_CIMAGEEFFECT_H
#define VELMORA_ENGINE_CIMAGEEFFECT_H

#include <cstddef>

#include "CRandom.h"
#include "CText.h"
#include "UColorSpace.h"

// The root of every pixel effect. An effect rewrites a lent buffer of 4-byte pixels
// (bytes blue, green, red, and a fourth byte it never writes) in place.
//
// Calling order: construct, SetLevel1, SetInput, Process, and again as often as wanted.
class CImageEffect
{
public:
    static constexpr unsigned char kMaxLevel = 20;
    static constexpr int kLevels = kMaxLevel + 1;

    CImageEffect() = default;
    CImageEffect(const CImageEffect &) = delete;
    CImageEffect &operator=(const CImageEffect &) = delete;
    virtual ~CImageEffect() = default;

    virtual CText GetLevel1Name();
    virtual CText GetLevel2Name();
    // Levels above 20 are clamped: every level table has 21 columns.
    virtual void SetLevel1(unsigned char level);
    virtual void SetLevel2(unsigned char level);
    virtual int Process();
    virtual void PreProcess() {}
    virtual int ProcessSelf() = 0;

    void SetInput(unsigned char *data, unsigned short width, unsigned short height,
                  unsigned short stride)
    {
        mData = data;
        mWidth = width;
        mHeight = height;
        mStride = stride;
    }
    unsigned char GetLevel1() const { return mLevel1; }
    float GetScale() const { return mScale; }
    void SetScale(float scale) { mScale = scale; }

    // value plus a random term in -4*amount .. 4*amount-1, clamped to 0..255.
    // Draws exactly one number, and none when amount is 0.
    unsigned char Noise(unsigned char value, unsigned char amount)
    {
        if (amount == 0)
            return value;
        const int span = 8 * amount;
        const int noisy = value + CRandom::Current().Next() % span - 4 * amount;
        return static_cast<unsigned char>(noisy < 0 ? 0 : (noisy > 255 ? 255 : noisy));
    }

    // Four-neighbour blur of the colour bytes of every interior pixel.
    void Blur2Rgb();

    static bool Initialize();
    // Re-seeds the calling thread's generator: the noise that follows is reproducible.
    static void Seed(unsigned seed) { CRandom::Current().Seed(seed); }

    static bool sInitialized;
    // Curves indexed [value * 21 + level]: slopes around 128, and offsets of 4 per level.
    static unsigned char sAdjust1[256 * kLevels];
    static unsigned char sAdjust2[256 * kLevels];

protected:
    // First byte of row y of the lent buffer (offsets exceed int for the largest pictures).
    unsigned char *Row(int y) const { return mData + static_cast<size_t>(y) * mStride; }

    // Converts every pixel to YCbCr, lets remap(y, cb, cr) change the components in place
    // and converts back. A template, so the remap is inlined: no call per pixel.
    template <class Remap> void RemapYCbCr(Remap remap)
    {
        for (int y = 0; y < mHeight; ++y) {
            unsigned char *row = Row(y);
            for (int x = 0; x < mWidth; ++x) {
                unsigned char *p = row + 4 * x;
                unsigned char luma, cb, cr;
                UColorSpace::RgbtoYCbCr(p[2], p[1], p[0], &luma, &cb, &cr);
                remap(luma, cb, cr);
                UColorSpace::YCbCrtoRbg(luma, cb, cr, &p[2], &p[1], &p[0]);
            }
        }
    }

    unsigned char mLevel1 = 0;
    unsigned char mLevel2 = 0;
    float mScale = 1.0f;
    unsigned char *mData = nullptr;
    unsigned short mWidth = 0;
    unsigned short mHeight = 0;
    unsigned short mStride = 0;
};

#endif

#ifndef VELMORA_ENGINE_CIMAGEEFFECT_H
#define VELMORA_ENGINE_CIMAGEEFFECT_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "CBandRunner.h"
#include "CRandom.h"
#include "CText.h"
#include "UColorSpace.h"
#include "UCurve.h"
#include "UPixelRows.h"

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
    // The reference path: one thread, pixel by pixel through the colour-space tables, as
    // the arithmetic is written down. The fast path must give the same bytes.
    void SetReferencePath(bool reference) { mReference = reference; }
    bool UsesReferencePath() const { return mReference; }
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
    void Blur2RgbByByte();

    static bool Initialize();
    // Re-seeds the calling thread's generator: the noise that follows is reproducible.
    static void Seed(unsigned seed) { CRandom::Current().Seed(seed); }

    static bool sInitialized;
    // Curves indexed [value * 21 + level]: slopes around 128, and offsets of 4 per level.
    static unsigned char sAdjust1[256 * kLevels];
    static unsigned char sAdjust2[256 * kLevels];
    // The same columns as curves, for the row loops.
    static UCurve sSlopeCurves[kLevels];
    static UCurve sOffsetCurves[kLevels];

protected:
    // First byte of row y of the lent buffer (offsets exceed int for the largest pictures).
    unsigned char *Row(int y) const { return mData + static_cast<size_t>(y) * mStride; }

    // Runs work(firstRow, endRow) over all rows: in bands on the cores for a large
    // picture, in one go on the reference path. Each pixel draws `draws` numbers.
    template <class Work> void ForRows(int draws, Work work)
    {
        if (mReference)
            work(0, static_cast<int>(mHeight));
        else
            CBandRunner::Run(mHeight, mWidth, static_cast<uint64_t>(draws) * mWidth, work);
    }

    // Converts every pixel to YCbCr, lets remap(y, cb, cr) change the components in place
    // and converts back. A template, so the remap is inlined: no call per pixel. The fast
    // path converts a row at a time into three byte rows, remaps those, and converts back.
    template <class Remap> void RemapYCbCr(Remap remap)
    {
        if (mReference) {
            RemapYCbCrByPixel(remap);
            return;
        }
        ForRows(0, [this, &remap](int first, int end) {
            std::vector<unsigned char> buffer(3 * static_cast<size_t>(mWidth));
            unsigned char *luma = buffer.data(), *cb = luma + mWidth, *cr = cb + mWidth;
            for (int y = first; y < end; ++y) {
                unsigned char *row = Row(y);
                UPixelRows::ToYCbCr(row, mWidth, luma, cb, cr);
                RemapRow(remap, luma, cb, cr, mWidth);
                UPixelRows::FromYCbCr(luma, cb, cr, mWidth, row);
            }
        });
    }

    // RemapYCbCr, then Noise on Y, Cb and Cr with the given amounts (0: none, no draw),
    // drawn in that order for each pixel. The amounts are constants, so the modulo of each
    // draw is a mask or a multiplication; a row's draws are made in one go.
    template <int AmountY, int AmountCb, int AmountCr, class Remap>
    void RemapYCbCrNoisy(Remap remap)
    {
        static constexpr int draws = (AmountY > 0) + (AmountCb > 0) + (AmountCr > 0);
        if (mReference) {
            RemapYCbCrByPixel(
                [this, &remap](unsigned char &y, unsigned char &cb, unsigned char &cr) {
                    remap(y, cb, cr);
                    y = Noise(y, AmountY);
                    cb = Noise(cb, AmountCb);
                    cr = Noise(cr, AmountCr);
                });
            return;
        }
        ForRows(draws, [this, &remap](int first, int end) {
            const size_t width = mWidth;
            std::vector<unsigned char> buffer(3 * width);
            unsigned char *luma = buffer.data(), *cb = luma + width, *cr = cb + width;
            std::vector<int> noise(draws * width);
            CRandom &random = CRandom::Current();
            for (int y = first; y < end; ++y) {
                unsigned char *row = Row(y);
                UPixelRows::ToYCbCr(row, mWidth, luma, cb, cr);
                random.Draw(noise.data(), static_cast<int>(draws * width));
                RemapRow(remap, luma, cb, cr, mWidth);
                UPixelRows::AddGrain(luma, cb, cr, noise.data(), mWidth,
                                     {AmountY, AmountCb, AmountCr});
                UPixelRows::FromYCbCr(luma, cb, cr, mWidth, row);
            }
        });
    }

    // A remap that passes each component through a curve of its own (null: unchanged). On
    // the fast path each curve runs over a whole row.
    struct Curves
    {
        const UCurve *y = nullptr;
        const UCurve *cb = nullptr;
        const UCurve *cr = nullptr;
        void operator()(unsigned char &luma, unsigned char &u, unsigned char &v) const
        {
            if (y)
                luma = (*y)(luma);
            if (cb)
                u = (*cb)(u);
            if (cr)
                v = (*cr)(v);
        }
    };
    static void RemapRow(const Curves &curves, unsigned char *luma, unsigned char *cb,
                         unsigned char *cr, int width)
    {
        if (curves.y)
            curves.y->ApplyRow(luma, width);
        if (curves.cb)
            curves.cb->ApplyRow(cb, width);
        if (curves.cr)
            curves.cr->ApplyRow(cr, width);
    }

    // The components are copied in and out: through the row pointers themselves, every
    // byte written could change the next one read, and the loop could not be pipelined.
    template <class Remap>
    static void RemapRow(const Remap &remap, unsigned char *__restrict luma,
                         unsigned char *__restrict cb, unsigned char *__restrict cr, int width)
    {
        for (int x = 0; x < width; ++x) {
            unsigned char y = luma[x], u = cb[x], v = cr[x];
            remap(y, u, v);
            luma[x] = y;
            cb[x] = u;
            cr[x] = v;
        }
    }

    template <class Remap> void RemapYCbCrByPixel(Remap remap)
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
    bool mReference = false;
};

#endif

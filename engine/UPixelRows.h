#ifndef VELMORA_ENGINE_UPIXELROWS_H
#define VELMORA_ENGINE_UPIXELROWS_H

#include <cstddef>
#include <cstdint>

// One row of pixels at a time between the pixel buffer and byte planes, in plain integer
// arithmetic that gives exactly what UColorSpace's tables give (the products are the
// tables' entries, the clamp is the clipping table's). Without table reads the loops
// vectorise; each kernel is built for the baseline instruction set and, on x86-64, for
// AVX2 too, chosen at start-up by a CPU check.
class UPixelRows
{
public:
    UPixelRows() = delete;

    // The colour terms of a fixed chroma, as YCbCrtoRbg adds them to 149 (Y - 16).
    struct Tint
    {
        int red, green, blue;
    };
    static Tint TintOf(unsigned char cb, unsigned char cr);

    // Minimum, maximum and sum of each of Y, Cb and Cr over some rows.
    struct Stats
    {
        unsigned char minY = 255, maxY = 0, minCb = 255, maxCb = 0, minCr = 255, maxCr = 0;
        uint64_t sumY = 0, sumCb = 0, sumCr = 0;
        void Merge(const Stats &other);
    };

    // The colour bytes of a pixel read as one native 32-bit word (all but the fourth byte).
    static uint32_t ColourMask();

    // Luma, or all three components, of `width` pixels.
    static void ToY(const unsigned char *pixels, int width, unsigned char *y)
    {
        sKernels->toY(pixels, width, y);
    }
    static void ToYCbCr(const unsigned char *pixels, int width, unsigned char *y, unsigned char *cb,
                        unsigned char *cr)
    {
        sKernels->toYCbCr(pixels, width, y, cb, cr);
    }
    // ToYCbCr that also gathers the statistics.
    static void ToYCbCrMeasured(const unsigned char *pixels, int width, unsigned char *y,
                                unsigned char *cb, unsigned char *cr, Stats &stats)
    {
        sKernels->toYCbCrMeasured(pixels, width, y, cb, cr, stats);
    }
    // Writes the colour bytes of `width` pixels from Y, Cb and Cr; the fourth bytes stay.
    static void FromYCbCr(const unsigned char *y, const unsigned char *cb, const unsigned char *cr,
                          int width, unsigned char *pixels)
    {
        sKernels->fromYCbCr(y, cb, cr, width, pixels);
    }
    // The same with one chroma for the whole row.
    static void FromY(const unsigned char *y, Tint tint, int width, unsigned char *pixels)
    {
        sKernels->fromY(y, tint, width, pixels);
    }
    // FromY, then each colour clamped after adding its noise term; a pixel's terms are
    // noise[4x + 1], [4x + 2], [4x + 3] for red, green and blue (4x is its luma's).
    static void FromYNoisy(const unsigned char *y, Tint tint, const int *noise, int width,
                           unsigned char *pixels)
    {
        sKernels->fromYNoisy(y, tint, noise, width, pixels);
    }
    // Grain amounts for Y, Cb and Cr; 0: none, and no draw for it.
    struct Grain
    {
        unsigned char y, cb, cr;
        int Draws() const { return (y > 0) + (cb > 0) + (cr > 0); }
    };
    // Noise(value, amount) on each of the three rows, a pixel's draws following each other
    // in the order Y, Cb, Cr (only those with an amount).
    static void AddGrain(unsigned char *y, unsigned char *cb, unsigned char *cr, const int *draws,
                         int width, Grain grain)
    {
        sKernels->addGrain(y, cb, cr, draws, width, grain);
    }
    // Turns draws into noise terms of an amount: draw mod 8 amount - 4 amount.
    static void NoiseTerms(int *draws, int count, unsigned char amount)
    {
        sKernels->noiseTerms(draws, count, amount);
    }

    // A straight curve in fixed point with 16 fraction bits: byte v becomes
    // clamp(v * mul + add, floor, ceiling) >> 16.
    struct Line
    {
        int mul, add, floor, ceiling;
    };
    // `from` and `to` may be the same row.
    static void Curve(const unsigned char *from, int width, Line line, unsigned char *to)
    {
        sKernels->curve(from, width, line, to);
    }

    // Whether the AVX2 kernels run; false forces the baseline ones (they are always built).
    static bool UsingWideKernels() { return sKernels == &sWide; }
    static void UseWideKernels(bool wide);

    struct Kernels
    {
        void (*toY)(const unsigned char *, int, unsigned char *);
        void (*toYCbCr)(const unsigned char *, int, unsigned char *, unsigned char *,
                        unsigned char *);
        void (*toYCbCrMeasured)(const unsigned char *, int, unsigned char *, unsigned char *,
                                unsigned char *, Stats &);
        void (*fromYCbCr)(const unsigned char *, const unsigned char *, const unsigned char *, int,
                          unsigned char *);
        void (*fromY)(const unsigned char *, Tint, int, unsigned char *);
        void (*fromYNoisy)(const unsigned char *, Tint, const int *, int, unsigned char *);
        void (*addGrain)(unsigned char *, unsigned char *, unsigned char *, const int *, int,
                         Grain);
        void (*noiseTerms)(int *, int, unsigned char);
        void (*curve)(const unsigned char *, int, Line, unsigned char *);
    };

private:
    static const Kernels sBaseline;
    static const Kernels sWide;
    static const Kernels *sKernels;
};

#endif

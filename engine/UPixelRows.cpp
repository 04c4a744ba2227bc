#include "UPixelRows.h"

#include <algorithm>
#include <cstring>

namespace {

// A pixel is read and written as one 32-bit word: the shifts place its bytes whatever
// the byte order, and the fourth byte is carried over untouched.
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
constexpr int kBlue = 24, kGreen = 16, kRed = 8;
constexpr uint32_t kFourth = 0x000000FFu;
#else
constexpr int kBlue = 0, kGreen = 8, kRed = 16;
constexpr uint32_t kFourth = 0xFF000000u;
#endif

#if defined(__GNUC__)
#define VELMORA_INLINE inline __attribute__((always_inline))
#else
#define VELMORA_INLINE inline
#endif

VELMORA_INLINE uint32_t Load(const unsigned char *p)
{
    uint32_t word;
    std::memcpy(&word, p, 4);
    return word;
}

VELMORA_INLINE void Store(unsigned char *p, uint32_t word)
{
    std::memcpy(p, &word, 4);
}

VELMORA_INLINE int Clamp(int v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// The luma, Cb and Cr sums never leave 16..240 before the clipping table, so it is left out.
VELMORA_INLINE int LumaOf(uint32_t w)
{
    const int b = (w >> kBlue) & 255, g = (w >> kGreen) & 255, r = (w >> kRed) & 255;
    return (66 * r + 129 * g + 25 * b + 4096) >> 8;
}
VELMORA_INLINE int CbOf(uint32_t w)
{
    const int b = (w >> kBlue) & 255, g = (w >> kGreen) & 255, r = (w >> kRed) & 255;
    return (-38 * r - 74 * g + 112 * b + 32768) >> 8;
}
VELMORA_INLINE int CrOf(uint32_t w)
{
    const int b = (w >> kBlue) & 255, g = (w >> kGreen) & 255, r = (w >> kRed) & 255;
    return (112 * r - 94 * g - 18 * b + 32768) >> 8;
}

VELMORA_INLINE uint32_t Pack(uint32_t old, int r, int g, int b)
{
    return (old & kFourth) | static_cast<uint32_t>(r) << kRed | static_cast<uint32_t>(g) << kGreen |
           static_cast<uint32_t>(b) << kBlue;
}

VELMORA_INLINE void ToYBody(const unsigned char *__restrict pixels, int width,
                            unsigned char *__restrict y)
{
    for (int x = 0; x < width; ++x)
        y[x] = static_cast<unsigned char>(LumaOf(Load(pixels + 4 * x)));
}

VELMORA_INLINE void ToYCbCrBody(const unsigned char *__restrict pixels, int width,
                                unsigned char *__restrict y, unsigned char *__restrict cb,
                                unsigned char *__restrict cr)
{
    for (int x = 0; x < width; ++x) {
        const uint32_t w = Load(pixels + 4 * x);
        y[x] = static_cast<unsigned char>(LumaOf(w));
        cb[x] = static_cast<unsigned char>(CbOf(w));
        cr[x] = static_cast<unsigned char>(CrOf(w));
    }
}

VELMORA_INLINE void ToYCbCrMeasuredBody(const unsigned char *__restrict pixels, int width,
                                        unsigned char *__restrict y, unsigned char *__restrict cb,
                                        unsigned char *__restrict cr, UPixelRows::Stats &stats)
{
    ToYCbCrBody(pixels, width, y, cb, cr);
    // A second pass over the (cached) row: reductions vectorise on their own.
    unsigned char minY = stats.minY, maxY = stats.maxY, minCb = stats.minCb, maxCb = stats.maxCb,
                  minCr = stats.minCr, maxCr = stats.maxCr;
    unsigned sumY = 0, sumCb = 0, sumCr = 0; // a row of 65535 bytes fits
    for (int x = 0; x < width; ++x) {
        minY = y[x] < minY ? y[x] : minY;
        maxY = y[x] > maxY ? y[x] : maxY;
        minCb = cb[x] < minCb ? cb[x] : minCb;
        maxCb = cb[x] > maxCb ? cb[x] : maxCb;
        minCr = cr[x] < minCr ? cr[x] : minCr;
        maxCr = cr[x] > maxCr ? cr[x] : maxCr;
        sumY += y[x];
        sumCb += cb[x];
        sumCr += cr[x];
    }
    stats.minY = minY;
    stats.maxY = maxY;
    stats.minCb = minCb;
    stats.maxCb = maxCb;
    stats.minCr = minCr;
    stats.maxCr = maxCr;
    stats.sumY += sumY;
    stats.sumCb += sumCb;
    stats.sumCr += sumCr;
}

VELMORA_INLINE void FromYCbCrBody(const unsigned char *__restrict y,
                                  const unsigned char *__restrict cb,
                                  const unsigned char *__restrict cr, int width,
                                  unsigned char *__restrict pixels)
{
    for (int x = 0; x < width; ++x) {
        const int base = 149 * (y[x] - 16);
        const int u = cb[x] - 128, v = cr[x] - 128;
        unsigned char *p = pixels + 4 * x;
        Store(p, Pack(Load(p), Clamp((base + 204 * v) >> 7), Clamp((base - 104 * v - 50 * u) >> 7),
                      Clamp((base + 258 * u) >> 7)));
    }
}

VELMORA_INLINE void FromYBody(const unsigned char *__restrict y, UPixelRows::Tint tint, int width,
                              unsigned char *__restrict pixels)
{
    for (int x = 0; x < width; ++x) {
        const int base = 149 * (y[x] - 16);
        unsigned char *p = pixels + 4 * x;
        Store(p, Pack(Load(p), Clamp((base + tint.red) >> 7), Clamp((base + tint.green) >> 7),
                      Clamp((base + tint.blue) >> 7)));
    }
}

VELMORA_INLINE void FromYNoisyBody(const unsigned char *__restrict y, UPixelRows::Tint tint,
                                   const int *__restrict noise, int width,
                                   unsigned char *__restrict pixels)
{
    for (int x = 0; x < width; ++x) {
        const int base = 149 * (y[x] - 16);
        const int *n = noise + 4 * x;
        unsigned char *p = pixels + 4 * x;
        Store(p, Pack(Load(p), Clamp(Clamp((base + tint.red) >> 7) + n[1]),
                      Clamp(Clamp((base + tint.green) >> 7) + n[2]),
                      Clamp(Clamp((base + tint.blue) >> 7) + n[3])));
    }
}

// Noise of a constant amount on a row, its draws `Stride` apart.
template <int Amount, int Stride>
VELMORA_INLINE void GrainOf(unsigned char *__restrict values, const int *__restrict draws,
                            int width)
{
    if (Amount == 0)
        return;
    for (int x = 0; x < width; ++x)
        values[x] = static_cast<unsigned char>(Clamp(
            values[x] + static_cast<int>(static_cast<unsigned>(draws[Stride * x]) % (8u * Amount)) -
            4 * Amount));
}

template <int AmountY, int AmountCb, int AmountCr>
VELMORA_INLINE void GrainOf(unsigned char *__restrict y, unsigned char *__restrict cb,
                            unsigned char *__restrict cr, const int *__restrict draws, int width)
{
    constexpr int stride = (AmountY > 0) + (AmountCb > 0) + (AmountCr > 0);
    GrainOf<AmountY, stride>(y, draws, width);
    GrainOf<AmountCb, stride>(cb, draws + (AmountY > 0), width);
    GrainOf<AmountCr, stride>(cr, draws + (AmountY > 0) + (AmountCb > 0), width);
}

VELMORA_INLINE void AddGrainBody(unsigned char *__restrict y, unsigned char *__restrict cb,
                                 unsigned char *__restrict cr, const int *__restrict draws,
                                 int width, UPixelRows::Grain grain)
{
    // The effects' own amounts get loops with constant moduli and strides.
    const int key = grain.y | grain.cb << 8 | grain.cr << 16;
    switch (key) {
    case 0x000001:
        return GrainOf<1, 0, 0>(y, cb, cr, draws, width);
    case 0x010101:
        return GrainOf<1, 1, 1>(y, cb, cr, draws, width);
    case 0x010103:
        return GrainOf<3, 1, 1>(y, cb, cr, draws, width);
    case 0x020202:
        return GrainOf<2, 2, 2>(y, cb, cr, draws, width);
    }
    unsigned char *rows[3] = {y, cb, cr};
    const int amounts[3] = {grain.y, grain.cb, grain.cr};
    const int stride = grain.Draws();
    for (int c = 0, at = 0; c < 3; ++c) {
        if (amounts[c] == 0)
            continue;
        for (int x = 0; x < width; ++x)
            rows[c][x] = static_cast<unsigned char>(
                Clamp(rows[c][x] + draws[stride * x + at] % (8 * amounts[c]) - 4 * amounts[c]));
        ++at;
    }
}

// A constant amount turns the modulo into a mask or a multiplication.
template <int Amount> VELMORA_INLINE void TermsOf(int *__restrict draws, int count)
{
    for (int i = 0; i < count; ++i)
        draws[i] = static_cast<int>(static_cast<unsigned>(draws[i]) % (8u * Amount)) - 4 * Amount;
}

VELMORA_INLINE void NoiseTermsBody(int *__restrict draws, int count, unsigned char amount)
{
    switch (amount) {
    case 1:
        TermsOf<1>(draws, count);
        break;
    case 2:
        TermsOf<2>(draws, count);
        break;
    case 3:
        TermsOf<3>(draws, count);
        break;
    default:
        for (int i = 0; i < count; ++i)
            draws[i] = draws[i] % (8 * amount) - 4 * amount;
    }
}

// Not restrict: the curve may run in place, and a byte is read before it is written.
VELMORA_INLINE void CurveBody(const unsigned char *from, int width, UPixelRows::Line line,
                              unsigned char *to)
{
    for (int x = 0; x < width; ++x) {
        const int value = from[x] * line.mul + line.add;
        // min and max, not a choice: the vectoriser makes a choice here twice the work.
        to[x] =
            static_cast<unsigned char>(std::min(std::max(value, line.floor), line.ceiling) >> 16);
    }
}

// Each kernel once per instruction set; `attributes` selects it.
#define VELMORA_KERNEL_SET(name, attributes)                                                       \
    namespace name {                                                                               \
    attributes void toY(const unsigned char *p, int w, unsigned char *y)                           \
    {                                                                                              \
        ToYBody(p, w, y);                                                                          \
    }                                                                                              \
    attributes void toYCbCr(const unsigned char *p, int w, unsigned char *y, unsigned char *cb,    \
                            unsigned char *cr)                                                     \
    {                                                                                              \
        ToYCbCrBody(p, w, y, cb, cr);                                                              \
    }                                                                                              \
    attributes void toYCbCrMeasured(const unsigned char *p, int w, unsigned char *y,               \
                                    unsigned char *cb, unsigned char *cr, UPixelRows::Stats &s)    \
    {                                                                                              \
        ToYCbCrMeasuredBody(p, w, y, cb, cr, s);                                                   \
    }                                                                                              \
    attributes void fromYCbCr(const unsigned char *y, const unsigned char *cb,                     \
                              const unsigned char *cr, int w, unsigned char *p)                    \
    {                                                                                              \
        FromYCbCrBody(y, cb, cr, w, p);                                                            \
    }                                                                                              \
    attributes void fromY(const unsigned char *y, UPixelRows::Tint t, int w, unsigned char *p)     \
    {                                                                                              \
        FromYBody(y, t, w, p);                                                                     \
    }                                                                                              \
    attributes void fromYNoisy(const unsigned char *y, UPixelRows::Tint t, const int *n, int w,    \
                               unsigned char *p)                                                   \
    {                                                                                              \
        FromYNoisyBody(y, t, n, w, p);                                                             \
    }                                                                                              \
    attributes void addGrain(unsigned char *y, unsigned char *cb, unsigned char *cr, const int *d, \
                             int w, UPixelRows::Grain g)                                           \
    {                                                                                              \
        AddGrainBody(y, cb, cr, d, w, g);                                                          \
    }                                                                                              \
    attributes void noiseTerms(int *d, int n, unsigned char a)                                     \
    {                                                                                              \
        NoiseTermsBody(d, n, a);                                                                   \
    }                                                                                              \
    attributes void curve(const unsigned char *f, int w, UPixelRows::Line l, unsigned char *t)     \
    {                                                                                              \
        CurveBody(f, w, l, t);                                                                     \
    }                                                                                              \
    constexpr UPixelRows::Kernels kSet = {toY,        toYCbCr,  toYCbCrMeasured, fromYCbCr, fromY, \
                                          fromYNoisy, addGrain, noiseTerms,      curve};           \
    }

VELMORA_KERNEL_SET(baseline, )
#if defined(__x86_64__) && defined(__GNUC__)
#define VELMORA_WIDE_KERNELS 1
VELMORA_KERNEL_SET(wide, __attribute__((target("avx2"))))
#endif

bool CpuHasAvx2()
{
#ifdef VELMORA_WIDE_KERNELS
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

} // namespace

const UPixelRows::Kernels UPixelRows::sBaseline = baseline::kSet;
#ifdef VELMORA_WIDE_KERNELS
const UPixelRows::Kernels UPixelRows::sWide = wide::kSet;
#else
const UPixelRows::Kernels UPixelRows::sWide = baseline::kSet;
#endif
// Constant-initialised to the baseline, so that no effect can find it unset; the CPU check
// follows during start-up.
const UPixelRows::Kernels *UPixelRows::sKernels = &sBaseline;
[[maybe_unused]] static const bool sPicked = (UPixelRows::UseWideKernels(true), true);

void UPixelRows::UseWideKernels(bool wide)
{
    sKernels = wide && CpuHasAvx2() ? &sWide : &sBaseline;
}

uint32_t UPixelRows::ColourMask()
{
    return ~kFourth;
}

UPixelRows::Tint UPixelRows::TintOf(unsigned char cb, unsigned char cr)
{
    return {204 * (cr - 128), -104 * (cr - 128) - 50 * (cb - 128), 258 * (cb - 128)};
}

void UPixelRows::Stats::Merge(const Stats &other)
{
    minY = other.minY < minY ? other.minY : minY;
    maxY = other.maxY > maxY ? other.maxY : maxY;
    minCb = other.minCb < minCb ? other.minCb : minCb;
    maxCb = other.maxCb > maxCb ? other.maxCb : maxCb;
    minCr = other.minCr < minCr ? other.minCr : minCr;
    maxCr = other.maxCr > maxCr ? other.maxCr : maxCr;
    sumY += other.sumY;
    sumCb += other.sumCb;
    sumCr += other.sumCr;
}

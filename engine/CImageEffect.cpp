#include "CImageEffect.h"

#include <cstring>
#include <vector>

unsigned char CImageEffect::sAdjust1[256 * kLevels];
unsigned char CImageEffect::sAdjust2[256 * kLevels];
// Constant-initialised (before any code runs) and filled by Initialize().
UCurve CImageEffect::sSlopeCurves[kLevels];
UCurve CImageEffect::sOffsetCurves[kLevels];
bool CImageEffect::sInitialized = CImageEffect::Initialize();

namespace {

unsigned char Clamp(int value)
{
    return static_cast<unsigned char>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

} // namespace

bool CImageEffect::Initialize()
{
    if (sInitialized)
        return true;
    // The random source seeds itself from the clock on first use (CRandom::Current).
    for (int level = 0; level < kLevels; ++level) {
        const double a = 315 - 6 * level;
        const double slope = level <= 10 ? ((510 - a) - 128.0) / 127.0 : 127.0 / (a - 128.0);
        for (int v = 0; v < 256; ++v) {
            const int index = v * kLevels + level;
            if (level == 10) {
                sAdjust1[index] = sAdjust2[index] = static_cast<unsigned char>(v);
                continue;
            }
            sAdjust1[index] = Clamp(static_cast<int>(slope * (v - 128) + 128.0));
            sAdjust2[index] = Clamp(v + 4 * level - 40);
        }
        sSlopeCurves[level] = UCurve(sAdjust1 + level, kLevels);
        sOffsetCurves[level] = UCurve(sAdjust2 + level, kLevels);
    }
    sInitialized = true;
    return true;
}

CText CImageEffect::GetLevel1Name()
{
    return CText();
}

CText CImageEffect::GetLevel2Name()
{
    return CText();
}

void CImageEffect::SetLevel1(unsigned char level)
{
    mLevel1 = level > kMaxLevel ? kMaxLevel : level;
}

void CImageEffect::SetLevel2(unsigned char level)
{
    mLevel2 = level > kMaxLevel ? kMaxLevel : level;
}

int CImageEffect::Process()
{
    if (mData == nullptr || mWidth == 0 || mHeight == 0)
        return 0;
    PreProcess();
    return ProcessSelf();
}

void CImageEffect::Blur2Rgb()
{
    if (mWidth < 3 || mHeight < 3)
        return;
    if (mReference) {
        Blur2RgbByByte();
        return;
    }
    // Whole pixels as words: the shifted bytes are at most 31, so twice the sum of four
    // stays below 256 and no byte carries into the next; the fourth byte of the copy is 0.
    const uint32_t colour = UPixelRows::ColourMask();
    const int width = mWidth;
    std::vector<uint32_t> shifted(static_cast<size_t>(width) * mHeight);
    ForRows(0, [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const unsigned char *in = Row(y);
            uint32_t *copy = shifted.data() + static_cast<size_t>(y) * width;
            for (int x = 0; x < width; ++x) {
                uint32_t word;
                std::memcpy(&word, in + 4 * x, 4);
                copy[x] = (word >> 3) & (colour & 0x1F1F1F1Fu);
            }
        }
    });
    ForRows(0, [&](int first, int end) {
        for (int y = first < 1 ? 1 : first; y < end && y + 1 < mHeight; ++y) {
            const uint32_t *row = shifted.data() + static_cast<size_t>(y) * width;
            const uint32_t *above = row - width;
            const uint32_t *below = row + width;
            unsigned char *out = Row(y);
            for (int x = 1; x + 1 < width; ++x) {
                uint32_t word;
                std::memcpy(&word, out + 4 * x, 4);
                word = (word & ~colour) | 2 * (above[x] + below[x] + row[x - 1] + row[x + 1]);
                std::memcpy(out + 4 * x, &word, 4);
            }
        }
    });
}

void CImageEffect::Blur2RgbByByte()
{
    // Neighbours are read from a shifted copy of the pixels, never from results already
    // written; the copy holds the pixel bytes only (rows of 4 * width), not the padding.
    const int rowBytes = 4 * mWidth;
    std::vector<unsigned char> shifted(static_cast<size_t>(rowBytes) * mHeight);
    for (int y = 0; y < mHeight; ++y) {
        const unsigned char *in = Row(y);
        unsigned char *copy = shifted.data() + static_cast<size_t>(y) * rowBytes;
        for (int i = 0; i < rowBytes; ++i)
            copy[i] = static_cast<unsigned char>(in[i] >> 3);
    }
    for (int y = 1; y + 1 < mHeight; ++y) {
        const unsigned char *row = shifted.data() + static_cast<size_t>(y) * rowBytes;
        const unsigned char *above = row - rowBytes;
        const unsigned char *below = row + rowBytes;
        unsigned char *out = Row(y);
        for (int x = 1; x + 1 < mWidth; ++x) {
            const int p = 4 * x;
            for (int c = 0; c < 3; ++c)
                out[p + c] = static_cast<unsigned char>(
                    2 * (above[p + c] + below[p + c] + row[p - 4 + c] + row[p + 4 + c]));
        }
    }
}

#include "CStencilImageEffect.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "UColorSpace.h"

CStencilImageEffect::CStencilImageEffect()
{
    mLevel1 = 10;
}

CText CStencilImageEffect::GetLevel1Name()
{
    return CText("Level");
}

int CStencilImageEffect::ProcessSelf()
{
    using U = UColorSpace;
    const int threshold = 2 * mLevel1 + 108;
    for (int i = 0; i < 256; ++i)
        mStencilLevels[i] = i <= threshold ? 16 : 239;

    // Every colour byte takes the red of the painted luma: the chroma term is read once.
    const int redTerm = U::sCrRed[mCr];
    if (mReference) {
        for (int y = 0; y < mHeight; ++y) {
            unsigned char *p = Row(y);
            for (int x = 0; x < mWidth; ++x, p += 4) {
                const unsigned char v = mStencilLevels[U::Luma(p[2], p[1], p[0])];
                const unsigned char grey = U::sCliping[(U::sY[v] + redTerm) >> 7];
                p[0] = p[1] = p[2] = grey;
            }
        }
        return 1;
    }
    // Only two greys exist; a pixel picks one by its luma against the threshold, with no
    // table read, so the row loop vectorises.
    const unsigned dark = U::sCliping[(U::sY[16] + redTerm) >> 7];
    const unsigned light = U::sCliping[(U::sY[239] + redTerm) >> 7];
    const uint32_t colour = UPixelRows::ColourMask();
    const uint32_t darkWord = dark * 0x01010101u & colour;
    const uint32_t lightWord = light * 0x01010101u & colour;
    ForRows(0, [=](int first, int end) {
        std::vector<unsigned char> luma(mWidth);
        for (int y = first; y < end; ++y) {
            unsigned char *row = Row(y);
            UPixelRows::ToY(row, mWidth, luma.data());
            for (int x = 0; x < mWidth; ++x) {
                uint32_t word;
                std::memcpy(&word, row + 4 * x, 4);
                word = (word & ~colour) | (luma[x] > threshold ? lightWord : darkWord);
                std::memcpy(row + 4 * x, &word, 4);
            }
        }
    });
    return 1;
}

#include "CStencilImageEffect.h"

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

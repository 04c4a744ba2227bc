#include "CXRayImageEffect.h"

#include "UColorSpace.h"

int CXRayImageEffect::ProcessSelf()
{
    using U = UColorSpace;
    // The chroma terms are the same for every pixel.
    const int redTerm = U::sCrRed[mCr];
    const int greenTerm = U::sCrGreen[mCr] + U::sCbGreen[mCb];
    const int blueTerm = U::sCbBlue[mCb];
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x) {
            unsigned char *p = row + 4 * x;
            const int base = U::sY[255 - U::Luma(p[2], p[1], p[0])];
            p[2] = U::sCliping[(base + redTerm) >> 7];
            p[1] = U::sCliping[(base + greenTerm) >> 7];
            p[0] = U::sCliping[(base + blueTerm) >> 7];
        }
    }
    return 1;
}

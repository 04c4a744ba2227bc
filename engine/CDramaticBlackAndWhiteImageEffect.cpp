#include "CDramaticBlackAndWhiteImageEffect.h"

#include <cmath>

#include "UColorSpace.h"

unsigned char CDramaticBlackAndWhiteImageEffect::sYLookup[256];
bool CDramaticBlackAndWhiteImageEffect::sInitialized =
    CDramaticBlackAndWhiteImageEffect::Initialize();

bool CDramaticBlackAndWhiteImageEffect::Initialize()
{
    if (sInitialized)
        return true;
    // 12544 is the square of the circles' radius, 112.
    for (int i = 0; i < 256; ++i) {
        int first = i;
        if (i >= 16 && i <= 127) {
            const int t = static_cast<int>(std::sqrt(12544.0 - (128 - i) * (128 - i)));
            first = i + (t + 16 - i) / 2;
        } else if (i >= 129 && i <= 240) {
            const int t = static_cast<int>(std::sqrt(12544.0 - (i - 128) * (i - 128)));
            int u = 240 - t;
            if (u > 239)
                u = 239;
            first = i + (u - i) / 2;
        }
        int v = (7 * first - 896) / 4 + 128;
        if (v < 16)
            v = 16;
        if (v > 239)
            v = 239;
        sYLookup[i] = static_cast<unsigned char>(v);
    }
    sInitialized = true;
    return true;
}

int CDramaticBlackAndWhiteImageEffect::ProcessSelf()
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
            const int base = U::sY[sYLookup[U::Luma(p[2], p[1], p[0])]];
            p[2] = U::sCliping[(base + redTerm) >> 7];
            p[1] = U::sCliping[(base + greenTerm) >> 7];
            p[0] = U::sCliping[(base + blueTerm) >> 7];
        }
    }
    return 1;
}

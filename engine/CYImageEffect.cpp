#include "CYImageEffect.h"

#include "UColorSpace.h"

int CYImageEffect::ProcessSelf()
{
    using U = UColorSpace;
    // The chroma terms are the same for every pixel: read them once.
    const int redTerm = U::sCrRed[mCr];
    const int greenTerm = U::sCrGreen[mCr] + U::sCbGreen[mCb];
    const int blueTerm = U::sCbBlue[mCb];
    const unsigned char *clip = U::sCliping;
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x) {
            unsigned char *p = row + 4 * x;
            unsigned char luma = clip[(U::sRedCy[p[2]] + U::sGreenCy[p[1]] + U::sBlueCy[p[0]] + 4096) >> 8];
            if (mNoise == 0) {
                const int base = U::sY[luma];
                p[2] = clip[(base + redTerm) >> 7];
                p[1] = clip[(base + greenTerm) >> 7];
                p[0] = clip[(base + blueTerm) >> 7];
                continue;
            }
            // Four draws per pixel, in this order: luma, red, green, blue.
            luma = Noise(luma, mNoise);
            const int base = U::sY[luma];
            const unsigned char red = Noise(clip[(base + redTerm) >> 7], mNoise);
            const unsigned char green = Noise(clip[(base + greenTerm) >> 7], mNoise);
            const unsigned char blue = Noise(clip[(base + blueTerm) >> 7], mNoise);
            p[2] = red;
            p[1] = green;
            p[0] = blue;
        }
    }
    return 1;
}

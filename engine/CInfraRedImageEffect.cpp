#include "CInfraRedImageEffect.h"

#include "UColorSpace.h"

CInfraRedImageEffect::CInfraRedImageEffect()
{
    // Shown nowhere and read by nothing: the look is fixed.
    mLevel1 = 10;
}

int CInfraRedImageEffect::ProcessSelf()
{
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x) {
            unsigned char *p = row + 4 * x;
            // Red, held to the studio luma range, stands for luma.
            const unsigned char red = p[2] < 16 ? 16 : (p[2] > 239 ? 239 : p[2]);
            // Draws per pixel, in this order: luma, Cb, Cr.
            const unsigned char luma = Noise(red, 1);
            const unsigned char cb = Noise(128, 1);
            const unsigned char cr = Noise(128, 1);
            UColorSpace::YCbCrtoRbg(luma, cb, cr, &p[2], &p[1], &p[0]);
        }
    }
    return 1;
}

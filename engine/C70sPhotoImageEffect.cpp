#include "C70sPhotoImageEffect.h"

#include "UColorSpace.h"

C70sPhotoImageEffect::C70sPhotoImageEffect()
{
    // Shown nowhere and read by nothing: the look is fixed.
    mLevel1 = 10;
}

int C70sPhotoImageEffect::ProcessSelf()
{
    // Columns of the slope curves: 5 scales the distance from 128 by 97/127, 3 by 85/127.
    const unsigned char *flattenY = sAdjust1 + 5;
    const unsigned char *flattenC = sAdjust1 + 3;
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x) {
            unsigned char *p = row + 4 * x;
            unsigned char luma, cb, cr;
            UColorSpace::RgbtoYCbCr(p[2], p[1], p[0], &luma, &cb, &cr);
            // Draws per pixel, in this order: luma, Cb, Cr.
            const unsigned char grainY = Noise(flattenY[luma * kLevels], 2);
            const unsigned char grainCb = Noise(flattenC[cb * kLevels], 2);
            const unsigned char grainCr = Noise(flattenC[cr * kLevels], 2);
            UColorSpace::YCbCrtoRbg(grainY, grainCb, grainCr, &p[2], &p[1], &p[0]);
        }
    }
    return 1;
}

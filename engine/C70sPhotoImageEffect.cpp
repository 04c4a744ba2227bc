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
    RemapYCbCr([this, flattenY, flattenC](unsigned char &y, unsigned char &cb, unsigned char &cr) {
        // Draws per pixel, in this order: luma, Cb, Cr.
        y = Noise(flattenY[y * kLevels], 2);
        cb = Noise(flattenC[cb * kLevels], 2);
        cr = Noise(flattenC[cr * kLevels], 2);
    });
    return 1;
}

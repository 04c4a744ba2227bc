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
    // Grain of amount 2 on each component, drawn luma, Cb, Cr.
    RemapYCbCrNoisy<2, 2, 2>(
        [flattenY, flattenC](unsigned char &y, unsigned char &cb, unsigned char &cr) {
            y = flattenY[y * kLevels];
            cb = flattenC[cb * kLevels];
            cr = flattenC[cr * kLevels];
        });
    return 1;
}

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
    // Grain of amount 2 on each component, drawn luma, Cb, Cr.
    const UCurve *flattenC = &sSlopeCurves[3];
    RemapYCbCrNoisy<2, 2, 2>(Curves{&sSlopeCurves[5], flattenC, flattenC});
    return 1;
}

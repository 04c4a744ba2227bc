#include "C30sPhotoImageEffect.h"

#include "UColorSpace.h"

C30sPhotoImageEffect::C30sPhotoImageEffect()
{
    // Shown nowhere and read by nothing: the look is fixed.
    mLevel1 = 10;
}

int C30sPhotoImageEffect::ProcessSelf()
{
    // Luma through column 3 of the slope curves (distance from 128 scaled by 85/127); the
    // pixel's own chroma gives way to the tint. Grain of 3 on luma and 1 on the tint,
    // drawn luma, Cb, Cr.
    const UCurve tintCb = UCurve::Constant(mCb);
    const UCurve tintCr = UCurve::Constant(mCr);
    RemapYCbCrNoisy<3, 1, 1>(Curves{&sSlopeCurves[3], &tintCb, &tintCr});
    return 1;
}

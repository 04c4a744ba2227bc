#include "C30sPhotoImageEffect.h"

#include "UColorSpace.h"

C30sPhotoImageEffect::C30sPhotoImageEffect()
{
    // Shown nowhere and read by nothing: the look is fixed.
    mLevel1 = 10;
}

int C30sPhotoImageEffect::ProcessSelf()
{
    // Column 3 of the slope curves: distance from 128 scaled by 85/127.
    const unsigned char *flatten = sAdjust1 + 3;
    const unsigned char tintCb = mCb;
    const unsigned char tintCr = mCr;
    // The pixel's own chroma is discarded; grain of 3 on luma and 1 on the tint, drawn
    // luma, Cb, Cr.
    RemapYCbCrNoisy<3, 1, 1>(
        [flatten, tintCb, tintCr](unsigned char &y, unsigned char &cb, unsigned char &cr) {
            y = flatten[y * kLevels];
            cb = tintCb;
            cr = tintCr;
        });
    return 1;
}

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
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x) {
            unsigned char *p = row + 4 * x;
            // The pixel's own chroma is discarded; draws per pixel: luma, Cb, Cr.
            const unsigned char luma = UColorSpace::Luma(p[2], p[1], p[0]);
            const unsigned char grainY = Noise(flatten[luma * kLevels], 3);
            const unsigned char grainCb = Noise(tintCb, 1);
            const unsigned char grainCr = Noise(tintCr, 1);
            UColorSpace::YCbCrtoRbg(grainY, grainCb, grainCr, &p[2], &p[1], &p[0]);
        }
    }
    return 1;
}

#include "CContrastImageEffect.h"

#include "UColorSpace.h"

CText CContrastImageEffect::GetLevel1Name()
{
    return CText("Contrast");
}

int CContrastImageEffect::ProcessSelf()
{
    // Column mLevel1 of the slope curves; entries for one value are kLevels apart.
    const unsigned char *slope = sAdjust1 + mLevel1;
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x) {
            unsigned char *p = row + 4 * x;
            unsigned char luma, cb, cr;
            UColorSpace::RgbtoYCbCr(p[2], p[1], p[0], &luma, &cb, &cr);
            UColorSpace::YCbCrtoRbg(slope[luma * kLevels], cb, cr, &p[2], &p[1], &p[0]);
        }
    }
    return 1;
}

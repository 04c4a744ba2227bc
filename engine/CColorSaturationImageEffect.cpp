#include "CColorSaturationImageEffect.h"

#include "UColorSpace.h"

CText CColorSaturationImageEffect::GetLevel1Name()
{
    return CText("Saturation");
}

int CColorSaturationImageEffect::ProcessSelf()
{
    const unsigned char *slope = sAdjust1 + mLevel1;
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x) {
            unsigned char *p = row + 4 * x;
            unsigned char luma, cb, cr;
            UColorSpace::RgbtoYCbCr(p[2], p[1], p[0], &luma, &cb, &cr);
            UColorSpace::YCbCrtoRbg(luma, slope[cb * kLevels], slope[cr * kLevels], &p[2], &p[1],
                                    &p[0]);
        }
    }
    return 1;
}

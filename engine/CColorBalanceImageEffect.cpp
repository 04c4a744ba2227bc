#include "CColorBalanceImageEffect.h"

#include "UColorSpace.h"

CText CColorBalanceImageEffect::GetLevel1Name()
{
    return CText("Color Balance");
}

int CColorBalanceImageEffect::ProcessSelf()
{
    const unsigned char *blueSlope = sAdjust1 + mLevel1;
    const unsigned char *redSlope = sAdjust1 + (kMaxLevel - mLevel1);
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x) {
            unsigned char *p = row + 4 * x;
            unsigned char luma, cb, cr;
            UColorSpace::RgbtoYCbCr(p[2], p[1], p[0], &luma, &cb, &cr);
            UColorSpace::YCbCrtoRbg(luma, blueSlope[cb * kLevels], redSlope[cr * kLevels], &p[2],
                                    &p[1], &p[0]);
        }
    }
    return 1;
}

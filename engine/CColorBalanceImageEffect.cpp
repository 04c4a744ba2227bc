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
    RemapYCbCr([blueSlope, redSlope](unsigned char &, unsigned char &cb, unsigned char &cr) {
        cb = blueSlope[cb * kLevels];
        cr = redSlope[cr * kLevels];
    });
    return 1;
}

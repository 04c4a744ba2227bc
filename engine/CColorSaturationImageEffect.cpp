#include "CColorSaturationImageEffect.h"

#include "UColorSpace.h"

CText CColorSaturationImageEffect::GetLevel1Name()
{
    return CText("Saturation");
}

int CColorSaturationImageEffect::ProcessSelf()
{
    const unsigned char *slope = sAdjust1 + mLevel1;
    RemapYCbCr([slope](unsigned char &, unsigned char &cb, unsigned char &cr) {
        cb = slope[cb * kLevels];
        cr = slope[cr * kLevels];
    });
    return 1;
}

#include "CColorSaturationImageEffect.h"

#include "UColorSpace.h"

CText CColorSaturationImageEffect::GetLevel1Name()
{
    return CText("Saturation");
}

int CColorSaturationImageEffect::ProcessSelf()
{
    const UCurve *slope = &sSlopeCurves[mLevel1];
    RemapYCbCr(Curves{nullptr, slope, slope});
    return 1;
}

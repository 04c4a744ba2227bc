#include "CContrastImageEffect.h"

#include "UColorSpace.h"

CText CContrastImageEffect::GetLevel1Name()
{
    return CText("Contrast");
}

int CContrastImageEffect::ProcessSelf()
{
    // Column mLevel1 of the slope curves.
    RemapYCbCr(Curves{&sSlopeCurves[mLevel1], nullptr, nullptr});
    return 1;
}

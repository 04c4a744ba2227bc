#include "CColorBalanceImageEffect.h"

#include "UColorSpace.h"

CText CColorBalanceImageEffect::GetLevel1Name()
{
    return CText("Color Balance");
}

int CColorBalanceImageEffect::ProcessSelf()
{
    // Blue follows the level and red its mirror.
    RemapYCbCr(Curves{nullptr, &sSlopeCurves[mLevel1], &sSlopeCurves[kMaxLevel - mLevel1]});
    return 1;
}

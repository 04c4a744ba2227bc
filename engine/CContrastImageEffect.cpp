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
    RemapYCbCr(
        [slope](unsigned char &y, unsigned char &, unsigned char &) { y = slope[y * kLevels]; });
    return 1;
}

#include "CBrightnessImageEffect.h"

#include "UColorSpace.h"

CText CBrightnessImageEffect::GetLevel1Name()
{
    return CText("Brightness");
}

int CBrightnessImageEffect::ProcessSelf()
{
    // Column mLevel1 of the offset curves; entries for one value are kLevels apart.
    const unsigned char *offset = sAdjust2 + mLevel1;
    RemapYCbCr(
        [offset](unsigned char &y, unsigned char &, unsigned char &) { y = offset[y * kLevels]; });
    return 1;
}

#include "CBrightnessImageEffect.h"

#include "UColorSpace.h"

CText CBrightnessImageEffect::GetLevel1Name()
{
    return CText("Brightness");
}

int CBrightnessImageEffect::ProcessSelf()
{
    // Column mLevel1 of the offset curves.
    RemapYCbCr(Curves{&sOffsetCurves[mLevel1], nullptr, nullptr});
    return 1;
}

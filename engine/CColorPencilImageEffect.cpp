#include "CColorPencilImageEffect.h"

int CColorPencilImageEffect::ProcessSelf()
{
    return ProcessSelfInColor();
}

void CColorPencilImageEffect::BuildSensitivityTable()
{
    CInkedImageEffect::BuildSensitivityTable();
    // Lift the dark end so that lines keep some of the colour under them.
    for (unsigned char &value : mSensitivity)
        if (value < 128)
            value = static_cast<unsigned char>(value + 100);
}

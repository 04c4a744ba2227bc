#include "CColorSculptureImageEffect.h"

int CColorSculptureImageEffect::ProcessSelf()
{
    return ProcessSelfInColor();
}

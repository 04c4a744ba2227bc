#ifndef VELMORA_ENGINE_CCONTRASTIMAGEEFFECT_H
#define VELMORA_ENGINE_CCONTRASTIMAGEEFFECT_H

#include "CRgbImageEffect.h"

// Scales the distance of luma from 128: flatter below level 10, steeper above.
class CContrastImageEffect : public CRgbImageEffect
{
public:
    CContrastImageEffect() { mLevel1 = 10; }

    CText GetLevel1Name() override;
    int ProcessSelf() override;
};

#endif

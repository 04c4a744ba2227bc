#ifndef VELMORA_ENGINE_CBRIGHTNESSIMAGEEFFECT_H
#define VELMORA_ENGINE_CBRIGHTNESSIMAGEEFFECT_H

#include "CRgbImageEffect.h"

// Shifts luma by 4 per level step around the neutral level 10 (-40 .. +40); chroma is kept.
class CBrightnessImageEffect : public CRgbImageEffect
{
public:
    CBrightnessImageEffect() { mLevel1 = 10; }

    CText GetLevel1Name() override;
    int ProcessSelf() override;
};

#endif

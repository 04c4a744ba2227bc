#ifndef VELMORA_ENGINE_CCOLORSATURATIONIMAGEEFFECT_H
#define VELMORA_ENGINE_CCOLORSATURATIONIMAGEEFFECT_H

#include "CRgbImageEffect.h"

// Scales the distance of both chroma components from neutral; luma is kept.
class CColorSaturationImageEffect : public CRgbImageEffect
{
public:
    CColorSaturationImageEffect() { mLevel1 = 10; }

    CText GetLevel1Name() override;
    int ProcessSelf() override;
};

#endif

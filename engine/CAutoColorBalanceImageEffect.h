#ifndef VELMORA_ENGINE_CAUTOCOLORBALANCEIMAGEEFFECT_H
#define VELMORA_ENGINE_CAUTOCOLORBALANCEIMAGEEFFECT_H

#include "CAutoSaturationImageEffect.h"

// Shifts Cb and Cr so that the picture's mean chroma becomes neutral grey.
class CAutoColorBalanceImageEffect : public CAutoSaturationImageEffect
{
public:
    void BuildULookup() override;
    void BuildVLookup() override;
};

#endif

#ifndef VELMORA_ENGINE_CCOLORNEGATIVEIMAGEEFFECT_H
#define VELMORA_ENGINE_CCOLORNEGATIVEIMAGEEFFECT_H

#include "CRgbImageEffect.h"

// Inverts each colour byte; applying it twice gives the picture back.
class CColorNegativeImageEffect : public CRgbImageEffect
{
public:
    int ProcessSelf() override;
};

#endif

#ifndef VELMORA_ENGINE_CSEPIAIMAGEEFFECT_H
#define VELMORA_ENGINE_CSEPIAIMAGEEFFECT_H

#include "CYImageEffect.h"

// Luma painted back with a warm brown tint.
class CSepiaImageEffect : public CYImageEffect
{
public:
    CSepiaImageEffect();
};

#endif

#ifndef VELMORA_ENGINE_CNIGHTVISIONIMAGEEFFECT_H
#define VELMORA_ENGINE_CNIGHTVISIONIMAGEEFFECT_H

#include "CYImageEffect.h"

// Darkened, grainy luma painted back in the green of an image intensifier.
class CNightVisionImageEffect : public CYImageEffect
{
public:
    CNightVisionImageEffect();

    int ProcessSelf() override;

    // Builds sReducedLevel; idempotent, run by a static initialiser before main.
    static bool Initialize();

    static bool sInitialized;
    // Luma scaled by 0.7, at least 16.
    static unsigned char sReducedLevel[256];
};

#endif

#ifndef VELMORA_ENGINE_CDRAMATICBLACKANDWHITEIMAGEEFFECT_H
#define VELMORA_ENGINE_CDRAMATICBLACKANDWHITEIMAGEEFFECT_H

#include "CBlackAndWhiteImageEffect.h"

// Grey through a fixed tone curve: luma is first pulled toward two quarter circles (less
// contrast), then spread by 7/4 around 128, so shadows and highlights clip early.
class CDramaticBlackAndWhiteImageEffect : public CBlackAndWhiteImageEffect
{
public:
    int ProcessSelf() override;

    // Builds sYLookup; idempotent, run by a static initialiser before main.
    static bool Initialize();

    static bool sInitialized;
    static unsigned char sYLookup[256];
};

#endif

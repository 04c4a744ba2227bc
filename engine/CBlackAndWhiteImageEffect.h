#ifndef VELMORA_ENGINE_CBLACKANDWHITEIMAGEEFFECT_H
#define VELMORA_ENGINE_CBLACKANDWHITEIMAGEEFFECT_H

#include "CYImageEffect.h"

// Luma painted back as neutral grey.
class CBlackAndWhiteImageEffect : public CYImageEffect
{
public:
    CBlackAndWhiteImageEffect();
};

#endif

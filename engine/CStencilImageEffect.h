#ifndef VELMORA_ENGINE_CSTENCILIMAGEEFFECT_H
#define VELMORA_ENGINE_CSTENCILIMAGEEFFECT_H

#include "CYImageEffect.h"

// Cuts the picture into black and white at a luma threshold set by the level.
class CStencilImageEffect : public CYImageEffect
{
public:
    CStencilImageEffect();

    CText GetLevel1Name() override;
    int ProcessSelf() override;

protected:
    unsigned char mStencilLevels[256] = {};
};

#endif

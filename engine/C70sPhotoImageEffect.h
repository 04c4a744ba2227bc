#ifndef VELMORA_ENGINE_C70SPHOTOIMAGEEFFECT_H
#define VELMORA_ENGINE_C70SPHOTOIMAGEEFFECT_H

#include "CRgbImageEffect.h"

// A flatter, less saturated, grainy picture that keeps its colours.
class C70sPhotoImageEffect : public CRgbImageEffect
{
public:
    C70sPhotoImageEffect();

    int ProcessSelf() override;
};

#endif

#ifndef VELMORA_ENGINE_C30SPHOTOIMAGEEFFECT_H
#define VELMORA_ENGINE_C30SPHOTOIMAGEEFFECT_H

#include "CSepiaImageEffect.h"

// Sepia with flattened, heavily grained luma and a faintly speckled tint.
class C30sPhotoImageEffect : public CSepiaImageEffect
{
public:
    C30sPhotoImageEffect();

    int ProcessSelf() override;
};

#endif

#ifndef VELMORA_ENGINE_CXRAYIMAGEEFFECT_H
#define VELMORA_ENGINE_CXRAYIMAGEEFFECT_H

#include "CYImageEffect.h"

// Inverted luma painted back with the fixed chroma: a grey negative.
class CXRayImageEffect : public CYImageEffect
{
public:
    int ProcessSelf() override;
};

#endif

#ifndef VELMORA_ENGINE_CYBUFFERIMAGEEFFECT_H
#define VELMORA_ENGINE_CYBUFFERIMAGEEFFECT_H

#include "CYuvImageEffect.h"

// The luma-plane-only variant: colour is rebuilt from luma and the fixed chroma.
class CYBufferImageEffect : public CYuvImageEffect
{
public:
    CYBufferImageEffect();
};

#endif

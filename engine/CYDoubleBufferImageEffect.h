#ifndef VELMORA_ENGINE_CYDOUBLEBUFFERIMAGEEFFECT_H
#define VELMORA_ENGINE_CYDOUBLEBUFFERIMAGEEFFECT_H

#include "CYBufferImageEffect.h"

// Neighbourhood filters on luma: ProcessY reads mYPlane and writes every sample of
// mYPlane2, which is then painted back with the fixed chroma.
class CYDoubleBufferImageEffect : public CYBufferImageEffect
{
public:
    ~CYDoubleBufferImageEffect() override;
    int ProcessSelf() override;

    virtual void ProcessY() = 0;

protected:
    Plane mYPlane2;
};

#endif

#ifndef VELMORA_ENGINE_CYIMAGEEFFECT_H
#define VELMORA_ENGINE_CYIMAGEEFFECT_H

#include "CImageEffect.h"

// Turns every pixel into its luma and paints it back with one fixed chroma (grey or a
// tint), optionally with noise on the luma and on each painted colour.
class CYImageEffect : public CImageEffect
{
public:
    int ProcessSelf() override;

protected:
    unsigned char mNoise = 0;
    unsigned char mCb = 128;
    unsigned char mCr = 128;
};

#endif

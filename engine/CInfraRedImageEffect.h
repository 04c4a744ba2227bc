#ifndef VELMORA_ENGINE_CINFRAREDIMAGEEFFECT_H
#define VELMORA_ENGINE_CINFRAREDIMAGEEFFECT_H

#include "CRgbImageEffect.h"

// Grey rendered from the red channel alone, with grain and faint coloured speckles.
class CInfraRedImageEffect : public CRgbImageEffect
{
public:
    CInfraRedImageEffect();

    int ProcessSelf() override;

private:
    void ProcessByPixel();
};

#endif

#ifndef VELMORA_ENGINE_CCOLORLINEARTIMAGEEFFECT_H
#define VELMORA_ENGINE_CCOLORLINEARTIMAGEEFFECT_H

#include "CInkedImageEffect.h"

// Ink lines over a light tint of the photo's colours; near-white areas stay white.
class CColorLineArtImageEffect : public CInkedImageEffect
{
public:
    int ProcessSelf() override;
    void ProcessY() override;
};

#endif

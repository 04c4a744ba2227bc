#ifndef VELMORA_ENGINE_CRGBIMAGEEFFECT_H
#define VELMORA_ENGINE_CRGBIMAGEEFFECT_H

#include "CImageEffect.h"

// Effects that work directly on the pixel buffer; they implement ProcessSelf.
class CRgbImageEffect : public CImageEffect
{
public:
    ~CRgbImageEffect() override;
};

#endif

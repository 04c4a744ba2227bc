#ifndef VELMORA_ENGINE_CCOLORPENCILIMAGEEFFECT_H
#define VELMORA_ENGINE_CCOLORPENCILIMAGEEFFECT_H

#include "CInkedImageEffect.h"

// Ink lines in the photo's own colours, never darker than luma 100.
class CColorPencilImageEffect : public CInkedImageEffect
{
public:
    int ProcessSelf() override;
    void BuildSensitivityTable() override;
};

#endif

#ifndef VELMORA_ENGINE_CCOLORSCULPTUREIMAGEEFFECT_H
#define VELMORA_ENGINE_CCOLORSCULPTUREIMAGEEFFECT_H

#include "CSculptureImageEffect.h"

// The relief drawn in luma under the photo's own colours.
class CColorSculptureImageEffect : public CSculptureImageEffect
{
public:
    int ProcessSelf() override;
};

#endif

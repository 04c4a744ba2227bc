#ifndef VELMORA_ENGINE_CSCULPTUREIMAGEEFFECT_H
#define VELMORA_ENGINE_CSCULPTUREIMAGEEFFECT_H

#include "CInkedImageEffect.h"

// Relief: each pixel is compared with its upper-left neighbour; flat areas become mid
// grey, rising edges light and falling edges dark.
class CSculptureImageEffect : public CInkedImageEffect
{
public:
    void ProcessY() override;
    void BuildSensitivityTable() override;

protected:
    // Grey for a signed luma difference -255 .. 255, at index difference + 255.
    unsigned char mSignedSensitivity[511] = {};
};

#endif

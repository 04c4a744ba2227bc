#ifndef VELMORA_ENGINE_CNIGHTGAINIMAGEEFFECT_H
#define VELMORA_ENGINE_CNIGHTGAINIMAGEEFFECT_H

#include "CRgbImageEffect.h"

// Brightens dark pictures through a fixed luma curve; chroma is kept.
class CNightGainImageEffect : public CRgbImageEffect
{
public:
    CNightGainImageEffect();

    int ProcessSelf() override;
    virtual void BuildLevelsTable();

protected:
    unsigned char mLevels[256];
};

#endif

#ifndef VELMORA_ENGINE_CWATERCOLORIMAGEEFFECT_H
#define VELMORA_ENGINE_CWATERCOLORIMAGEEFFECT_H

#include "CRgbImageEffect.h"

// Quantises and brightens luma, adds grain, keeps the chroma, then softens the picture
// with a four-neighbour blur. A higher level ("Details") gives finer luma bins.
class CWaterColorImageEffect : public CRgbImageEffect
{
public:
    CWaterColorImageEffect();

    CText GetLevel1Name() override;
    int ProcessSelf() override;

    virtual void BuildReducedlevelsTable();

protected:
    unsigned char mReducedLevels[256] = {};
};

#endif

#ifndef VELMORA_ENGINE_CPOSTERIZATIONIMAGEEFFECT_H
#define VELMORA_ENGINE_CPOSTERIZATIONIMAGEEFFECT_H

#include "CRgbImageEffect.h"

// Quantises each colour channel on its own into equal bins; a higher level ("Details")
// gives coarser bins.
class CPosterizationImageEffect : public CRgbImageEffect
{
public:
    CPosterizationImageEffect();

    CText GetLevel1Name() override;
    int ProcessSelf() override;

    virtual void BuildReducedlevelsTable();

protected:
    unsigned char mReducedLevels[256] = {};
};

#endif

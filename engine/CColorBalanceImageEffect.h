#ifndef VELMORA_ENGINE_CCOLORBALANCEIMAGEEFFECT_H
#define VELMORA_ENGINE_CCOLORBALANCEIMAGEEFFECT_H

#include "CRgbImageEffect.h"

// Pushes the two chroma components in opposite directions: Cb is spread by the slope of
// the level while Cr is drawn in by the reciprocal slope (column 20 - level), and the
// reverse below level 10.
class CColorBalanceImageEffect : public CRgbImageEffect
{
public:
    CColorBalanceImageEffect() { mLevel1 = 10; }

    CText GetLevel1Name() override;
    int ProcessSelf() override;
};

#endif

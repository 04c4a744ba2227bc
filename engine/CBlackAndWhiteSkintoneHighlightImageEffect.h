#ifndef VELMORA_ENGINE_CBLACKANDWHITESKINTONEHIGHLIGHTIMAGEEFFECT_H
#define VELMORA_ENGINE_CBLACKANDWHITESKINTONEHIGHLIGHTIMAGEEFFECT_H

#include "CBlackAndWhiteImageEffect.h"

// Grey everywhere except pixels whose chroma falls in the skin-tone box, which keep
// their colour.
class CBlackAndWhiteSkintoneHighlightImageEffect : public CBlackAndWhiteImageEffect
{
public:
    int ProcessSelf() override;
};

#endif

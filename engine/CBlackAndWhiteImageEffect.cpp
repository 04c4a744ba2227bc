#include "CBlackAndWhiteImageEffect.h"

// Neutral chroma: the family's luma loop paints grey.
CBlackAndWhiteImageEffect::CBlackAndWhiteImageEffect()
{
    mCb = 128;
    mCr = 128;
}

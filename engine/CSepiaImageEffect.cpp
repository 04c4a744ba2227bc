#include "CSepiaImageEffect.h"

// Chroma of a warm brown; the family's luma loop paints every pixel with it.
CSepiaImageEffect::CSepiaImageEffect()
{
    mCb = 115;
    mCr = 140;
}

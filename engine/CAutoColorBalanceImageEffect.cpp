#include "CAutoColorBalanceImageEffect.h"

namespace {

void BuildShift(unsigned char *lookup, unsigned char mean)
{
    for (int i = 0; i < 256; ++i) {
        const int v = i + 128 - mean;
        lookup[i] = static_cast<unsigned char>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
}

} // namespace

void CAutoColorBalanceImageEffect::BuildULookup()
{
    BuildShift(mULookup, mMeanCb);
}

void CAutoColorBalanceImageEffect::BuildVLookup()
{
    BuildShift(mVLookup, mMeanCr);
}

#include "CNightVisionImageEffect.h"

#include "UColorSpace.h"

unsigned char CNightVisionImageEffect::sReducedLevel[256];
bool CNightVisionImageEffect::sInitialized = CNightVisionImageEffect::Initialize();

bool CNightVisionImageEffect::Initialize()
{
    if (sInitialized)
        return true;
    for (int i = 0; i < 256; ++i) {
        const int v = static_cast<int>(i * 0.7);
        sReducedLevel[i] = static_cast<unsigned char>(v < 16 ? 16 : v);
    }
    sInitialized = true;
    return true;
}

CNightVisionImageEffect::CNightVisionImageEffect()
{
    // The tint is the chroma of the phosphor green (37, 191, 33).
    unsigned char luma;
    UColorSpace::RgbtoYCbCr(37, 191, 33, &luma, &mCb, &mCr);
    mNoise = 1;
}

int CNightVisionImageEffect::ProcessSelf()
{
    PaintLuma([](unsigned char luma) { return sReducedLevel[luma]; });
    return 1;
}

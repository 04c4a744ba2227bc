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
    using U = UColorSpace;
    const unsigned char amount = mNoise;
    const int redTerm = U::sCrRed[mCr];
    const int greenTerm = U::sCrGreen[mCr] + U::sCbGreen[mCb];
    const int blueTerm = U::sCbBlue[mCb];
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x) {
            unsigned char *p = row + 4 * x;
            // Draws per pixel, in this order: luma, red, green, blue.
            const unsigned char luma = Noise(sReducedLevel[U::Luma(p[2], p[1], p[0])], amount);
            const int base = U::sY[luma];
            const unsigned char red = Noise(U::sCliping[(base + redTerm) >> 7], amount);
            const unsigned char green = Noise(U::sCliping[(base + greenTerm) >> 7], amount);
            const unsigned char blue = Noise(U::sCliping[(base + blueTerm) >> 7], amount);
            p[2] = red;
            p[1] = green;
            p[0] = blue;
        }
    }
    return 1;
}

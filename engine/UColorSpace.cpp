#include "UColorSpace.h"

int UColorSpace::sRedCy[256];
int UColorSpace::sGreenCy[256];
int UColorSpace::sBlueCy[256];
int UColorSpace::sRedCb[256];
int UColorSpace::sGreenCb[256];
int UColorSpace::sBlueCb[256];
int UColorSpace::sRedCr[256];
int UColorSpace::sGreenCr[256];
int UColorSpace::sBlueCr[256];
int UColorSpace::sY[256];
int UColorSpace::sCrRed[256];
int UColorSpace::sCbGreen[256];
int UColorSpace::sCrGreen[256];
int UColorSpace::sCbBlue[256];
unsigned char UColorSpace::sClipingTable[1024];
unsigned char *UColorSpace::sCliping = UColorSpace::sClipingTable + 384;

// Built before main runs. Initialize is idempotent, so tables of other translation
// units that need these during their own static initialisation may call it first.
bool UColorSpace::sInitialized = UColorSpace::Initialize();

bool UColorSpace::Initialize()
{
    if (sInitialized)
        return true;
    for (int i = 0; i < 256; ++i) {
        sRedCy[i] = 66 * i;
        sGreenCy[i] = 129 * i;
        sBlueCy[i] = 25 * i;
        sRedCb[i] = -38 * i;
        sGreenCb[i] = -74 * i;
        sBlueCb[i] = 112 * i;
        sRedCr[i] = 112 * i;
        sGreenCr[i] = -94 * i;
        sBlueCr[i] = -18 * i;
        sY[i] = 149 * (i - 16);
        sCrRed[i] = 204 * (i - 128);
        sCbGreen[i] = -50 * (i - 128);
        sCrGreen[i] = -104 * (i - 128);
        sCbBlue[i] = 258 * (i - 128);
    }
    sCliping = sClipingTable + 384;
    for (int k = -384; k < 640; ++k)
        sCliping[k] = static_cast<unsigned char>(k < 0 ? 0 : (k > 255 ? 255 : k));
    sInitialized = true;
    return true;
}

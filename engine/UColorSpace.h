#ifndef VELMORA_ENGINE_UCOLORSPACE_H
#define VELMORA_ENGINE_UCOLORSPACE_H

// RGB <-> YCbCr (studio range) in fixed point, every product a table read and every
// result clamped through one clipping table. The tables are public: effects read them
// to compute luma or colour inline.
class UColorSpace
{
public:
    UColorSpace() = delete;

    // Builds every table; idempotent, so a static table elsewhere may call it first.
    static bool Initialize();

    static void RgbtoYCbCr(unsigned char red, unsigned char green, unsigned char blue,
                           unsigned char *y, unsigned char *cb, unsigned char *cr)
    {
        *y = sCliping[(sRedCy[red] + sGreenCy[green] + sBlueCy[blue] + 4096) >> 8];
        *cb = sCliping[(sRedCb[red] + sGreenCb[green] + sBlueCb[blue] + 32768) >> 8];
        *cr = sCliping[(sRedCr[red] + sGreenCr[green] + sBlueCr[blue] + 32768) >> 8];
    }

    static void YCbCrtoRbg(unsigned char y, unsigned char cb, unsigned char cr, unsigned char *red,
                           unsigned char *green, unsigned char *blue)
    {
        *red = sCliping[(sY[y] + sCrRed[cr]) >> 7];
        *green = sCliping[(sY[y] + sCrGreen[cr] + sCbGreen[cb]) >> 7];
        *blue = sCliping[(sY[y] + sCbBlue[cb]) >> 7];
    }

    // The luma part of RgbtoYCbCr alone.
    static unsigned char Luma(unsigned char red, unsigned char green, unsigned char blue)
    {
        return sCliping[(sRedCy[red] + sGreenCy[green] + sBlueCy[blue] + 4096) >> 8];
    }

    static bool sInitialized;

    static int sRedCy[256];
    static int sGreenCy[256];
    static int sBlueCy[256];
    static int sRedCb[256];
    static int sGreenCb[256];
    static int sBlueCb[256];
    static int sRedCr[256];
    static int sGreenCr[256];
    static int sBlueCr[256];
    static int sY[256];
    static int sCrRed[256];
    static int sCbGreen[256];
    static int sCrGreen[256];
    static int sCbBlue[256];

    static unsigned char sClipingTable[1024];
    // sClipingTable + 384: valid for indices -384 .. 639.
    static unsigned char *sCliping;
};

#endif

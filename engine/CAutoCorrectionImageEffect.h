#ifndef VELMORA_ENGINE_CAUTOCORRECTIONIMAGEEFFECT_H
#define VELMORA_ENGINE_CAUTOCORRECTIONIMAGEEFFECT_H

#include "CYuvAutoImageEffect.h"

// Stretches luma around a centre between the picture's mid-range and mean, so that the
// farther extreme lands on the studio range; chroma is kept.
class CAutoCorrectionImageEffect : public CYuvAutoImageEffect
{
public:
    void ProcessRgbFromYuv(unsigned char *y, unsigned char *cb, unsigned char *cr) override;

    void BuildYLookup();

protected:
    unsigned char mYLookup[256] = {};
};

#endif

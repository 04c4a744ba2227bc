#ifndef VELMORA_ENGINE_CAUTOSATURATIONIMAGEEFFECT_H
#define VELMORA_ENGINE_CAUTOSATURATIONIMAGEEFFECT_H

#include "CYuvAutoImageEffect.h"

// Stretches Cb and Cr around their measured centres, by the gentler of the two factors
// that would bring an extreme to the edge; luma is kept.
class CAutoSaturationImageEffect : public CYuvAutoImageEffect
{
public:
    void ProcessRgbFromYuv(unsigned char *y, unsigned char *cb, unsigned char *cr) override;

    virtual void BuildULookup();
    virtual void BuildVLookup();

protected:
    unsigned char mULookup[256] = {};
    unsigned char mVLookup[256] = {};
};

#endif

#ifndef VELMORA_ENGINE_CYUVAUTOIMAGEEFFECT_H
#define VELMORA_ENGINE_CYUVAUTOIMAGEEFFECT_H

#include "CYuvImageEffect.h"

// YCbCr effects that measure the picture while converting it (extremes and truncated
// means of Y, Cb and Cr), so that ProcessRgbFromYuv can remap from the statistics.
class CYuvAutoImageEffect : public CYuvImageEffect
{
public:
    void ConvertToYuv() override;
    void ProcessRgbFromYuv(unsigned char *y, unsigned char *cb, unsigned char *cr) override;

    unsigned char GetMaxY() const { return mMaxY; }
    unsigned char GetMinY() const { return mMinY; }
    unsigned char GetMaxCb() const { return mMaxCb; }
    unsigned char GetMinCb() const { return mMinCb; }
    unsigned char GetMaxCr() const { return mMaxCr; }
    unsigned char GetMinCr() const { return mMinCr; }
    unsigned char GetMeanY() const { return mMeanY; }
    unsigned char GetMeanCb() const { return mMeanCb; }
    unsigned char GetMeanCr() const { return mMeanCr; }

protected:
    void ConvertToYuvByPixel();

    unsigned char mMaxY = 0;
    unsigned char mMinY = 255;
    unsigned char mMaxCb = 0;
    unsigned char mMinCb = 255;
    unsigned char mMaxCr = 0;
    unsigned char mMinCr = 255;
    unsigned char mMeanY = 0;
    unsigned char mMeanCb = 0;
    unsigned char mMeanCr = 0;
};

#endif

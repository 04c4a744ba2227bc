#include "CAutoSaturationImageEffect.h"

#include <vector>

#include "UColorSpace.h"

namespace {

// One chroma stretch; `damped` narrows the factor by 0.9 (applied to Cb only).
void BuildStretch(unsigned char *lookup, unsigned char max, unsigned char min, unsigned char mean,
                  bool damped)
{
    const int centre = ((max + min) / 2 + mean) / 2;
    if (max == centre || min == centre) {
        for (int i = 0; i < 256; ++i)
            lookup[i] = static_cast<unsigned char>(i);
        return;
    }
    const double up = 128.0 / (max - centre);
    const double down = 128.0 / (centre - min);
    double factor = up < down ? up : down;
    if (damped)
        factor *= 0.9;
    for (int i = 0; i < 256; ++i) {
        const int v = static_cast<int>(factor * (i - centre) + 128.0);
        lookup[i] = static_cast<unsigned char>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
}

} // namespace

void CAutoSaturationImageEffect::BuildULookup()
{
    BuildStretch(mULookup, mMaxCb, mMinCb, mMeanCb, true);
}

void CAutoSaturationImageEffect::BuildVLookup()
{
    BuildStretch(mVLookup, mMaxCr, mMinCr, mMeanCr, false);
}

void CAutoSaturationImageEffect::ProcessRgbFromYuv(unsigned char *luma, unsigned char *cb,
                                                   unsigned char *cr)
{
    BuildULookup();
    BuildVLookup();
    if (!mReference) {
        const UCurve stretchCb(mULookup, 1), stretchCr(mVLookup, 1);
        ForRows(0, [=, &stretchCb, &stretchCr](int first, int end) {
            std::vector<unsigned char> mapped(2 * static_cast<size_t>(mWidth));
            unsigned char *mappedCb = mapped.data(), *mappedCr = mappedCb + mWidth;
            for (int y = first; y < end; ++y) {
                const size_t at = static_cast<size_t>(y) * mWidth;
                stretchCb.ApplyRow(cb + at, mWidth, mappedCb);
                stretchCr.ApplyRow(cr + at, mWidth, mappedCr);
                UPixelRows::FromYCbCr(luma + at, mappedCb, mappedCr, mWidth, Row(y));
            }
        });
        return;
    }
    size_t i = 0;
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x, ++i) {
            unsigned char *p = row + 4 * x;
            UColorSpace::YCbCrtoRbg(luma[i], mULookup[cb[i]], mVLookup[cr[i]], &p[2], &p[1], &p[0]);
        }
    }
}

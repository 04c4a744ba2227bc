#include "CAutoCorrectionImageEffect.h"

#include <vector>

#include "UColorSpace.h"

void CAutoCorrectionImageEffect::BuildYLookup()
{
    const int centre = ((mMaxY + mMinY) / 2 + mMeanY) / 2;
    if (mMaxY == centre || mMinY == centre) {
        // A flat picture has no spread to stretch, and the factors would divide by zero.
        for (int i = 0; i < 256; ++i)
            mYLookup[i] = static_cast<unsigned char>(i);
        return;
    }
    const double up = 128.0 / (mMaxY - centre);
    const double down = 128.0 / (centre - mMinY);
    const double factor = up > down ? up : down;
    for (int i = 0; i < 256; ++i) {
        int v = static_cast<int>(factor * (i - centre) + 128.0);
        if (v > 239)
            v = 239;
        else if (v < 16)
            v = 16;
        mYLookup[i] = static_cast<unsigned char>(v);
    }
}

void CAutoCorrectionImageEffect::ProcessRgbFromYuv(unsigned char *luma, unsigned char *cb,
                                                   unsigned char *cr)
{
    BuildYLookup();
    if (!mReference) {
        // The looked-up luma of a row goes into a row buffer; the conversion vectorises.
        const UCurve stretch(mYLookup, 1);
        ForRows(0, [=, &stretch](int first, int end) {
            std::vector<unsigned char> mapped(mWidth);
            for (int y = first; y < end; ++y) {
                const size_t at = static_cast<size_t>(y) * mWidth;
                stretch.ApplyRow(luma + at, mWidth, mapped.data());
                UPixelRows::FromYCbCr(mapped.data(), cb + at, cr + at, mWidth, Row(y));
            }
        });
        return;
    }
    size_t i = 0;
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x, ++i) {
            unsigned char *p = row + 4 * x;
            UColorSpace::YCbCrtoRbg(mYLookup[luma[i]], cb[i], cr[i], &p[2], &p[1], &p[0]);
        }
    }
}

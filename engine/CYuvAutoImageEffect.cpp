#include "CYuvAutoImageEffect.h"

#include <algorithm>
#include <cstdint>
#include <mutex>

#include "UColorSpace.h"

void CYuvAutoImageEffect::ConvertToYuv()
{
    if (mReference) {
        ConvertToYuvByPixel();
        return;
    }
    // Each band measures its own rows; extremes and integer sums merge exactly.
    UPixelRows::Stats total;
    std::mutex merging;
    ForRows(0, [&](int first, int end) {
        UPixelRows::Stats stats;
        for (int y = first; y < end; ++y)
            UPixelRows::ToYCbCrMeasured(Row(y), mWidth, PlaneRow(mYPlane, y), PlaneRow(mCbPlane, y),
                                        PlaneRow(mCrPlane, y), stats);
        const std::lock_guard<std::mutex> lock(merging);
        total.Merge(stats);
    });
    mMaxY = total.maxY;
    mMinY = total.minY;
    mMaxCb = total.maxCb;
    mMinCb = total.minCb;
    mMaxCr = total.maxCr;
    mMinCr = total.minCr;
    const uint64_t n = PlaneSize();
    mMeanY = static_cast<unsigned char>(total.sumY / n);
    mMeanCb = static_cast<unsigned char>(total.sumCb / n);
    mMeanCr = static_cast<unsigned char>(total.sumCr / n);
}

void CYuvAutoImageEffect::ConvertToYuvByPixel()
{
    mMaxY = mMaxCb = mMaxCr = 0;
    mMinY = mMinCb = mMinCr = 255;
    // 64-bit sums: 32 bits would wrap from about 18 million pixels on (a 24-megapixel
    // photo kept at its original size), and the means would come out wrong.
    uint64_t sumY = 0, sumCb = 0, sumCr = 0;
    size_t i = 0;
    for (int y = 0; y < mHeight; ++y) {
        const unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x, ++i) {
            const unsigned char *p = row + 4 * x;
            unsigned char luma, cb, cr;
            UColorSpace::RgbtoYCbCr(p[2], p[1], p[0], &luma, &cb, &cr);
            mYPlane[i] = luma;
            mCbPlane[i] = cb;
            mCrPlane[i] = cr;
            mMaxY = std::max(mMaxY, luma);
            mMinY = std::min(mMinY, luma);
            mMaxCb = std::max(mMaxCb, cb);
            mMinCb = std::min(mMinCb, cb);
            mMaxCr = std::max(mMaxCr, cr);
            mMinCr = std::min(mMinCr, cr);
            sumY += luma;
            sumCb += cb;
            sumCr += cr;
        }
    }
    const uint64_t n = PlaneSize();
    mMeanY = static_cast<unsigned char>(sumY / n);
    mMeanCb = static_cast<unsigned char>(sumCb / n);
    mMeanCr = static_cast<unsigned char>(sumCr / n);
}

void CYuvAutoImageEffect::ProcessRgbFromYuv(unsigned char *y, unsigned char *cb, unsigned char *cr)
{
    CYuvImageEffect::ProcessRgbFromYuv(y, cb, cr);
}

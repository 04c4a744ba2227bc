#include "CYuvImageEffect.h"

#include <cstring>

#include "UColorSpace.h"

CYuvImageEffect::~CYuvImageEffect() = default;

void CYuvImageEffect::PreparePlanes(std::initializer_list<Plane *> planes)
{
    if (mReference || mPlaneSize != PlaneSize()) {
        mYPlane.reset();
        mCbPlane.reset();
        mCrPlane.reset();
        for (Plane *plane : planes)
            plane->reset();
        mPlaneSize = PlaneSize();
    }
    for (Plane *plane : planes)
        if (!*plane)
            *plane = NewPlane();
}

int CYuvImageEffect::ProcessSelf()
{
    return mYOnly != 0 ? ProcessYOnly() : ProcessYuv();
}

int CYuvImageEffect::ProcessYOnly()
{
    PreparePlanes({&mYPlane});
    ConvertToY();
    ProcessRgbFromYOnly(mYPlane.get());
    return 1;
}

int CYuvImageEffect::ProcessYuv()
{
    PreparePlanes({&mYPlane, &mCbPlane, &mCrPlane});
    // ConvertToYuv writes every element; the fill only matters to the reference.
    if (mReference) {
        std::memset(mYPlane.get(), 128, PlaneSize());
        std::memset(mCbPlane.get(), 128, PlaneSize());
        std::memset(mCrPlane.get(), 128, PlaneSize());
    }
    ConvertToYuv();
    ProcessRgbFromYuv(mYPlane.get(), mCbPlane.get(), mCrPlane.get());
    return 1;
}

void CYuvImageEffect::ConvertToY()
{
    if (!mReference) {
        ForRows(0, [this](int first, int end) {
            for (int y = first; y < end; ++y)
                UPixelRows::ToY(Row(y), mWidth, PlaneRow(mYPlane, y));
        });
        return;
    }
    unsigned char *out = mYPlane.get();
    for (int y = 0; y < mHeight; ++y) {
        const unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x, ++out) {
            const unsigned char *p = row + 4 * x;
            *out = UColorSpace::Luma(p[2], p[1], p[0]);
        }
    }
}

void CYuvImageEffect::ConvertToYuv()
{
    if (!mReference) {
        ForRows(0, [this](int first, int end) {
            for (int y = first; y < end; ++y)
                UPixelRows::ToYCbCr(Row(y), mWidth, PlaneRow(mYPlane, y), PlaneRow(mCbPlane, y),
                                    PlaneRow(mCrPlane, y));
        });
        return;
    }
    size_t i = 0;
    for (int y = 0; y < mHeight; ++y) {
        const unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x, ++i) {
            const unsigned char *p = row + 4 * x;
            UColorSpace::RgbtoYCbCr(p[2], p[1], p[0], &mYPlane[i], &mCbPlane[i], &mCrPlane[i]);
        }
    }
}

void CYuvImageEffect::ProcessRgbFromYOnly(unsigned char *luma)
{
    if (!mReference) {
        const UPixelRows::Tint tint = UPixelRows::TintOf(mCb, mCr);
        ForRows(0, [this, luma, tint](int first, int end) {
            for (int y = first; y < end; ++y)
                UPixelRows::FromY(luma + static_cast<size_t>(y) * mWidth, tint, mWidth, Row(y));
        });
        return;
    }
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x, ++luma) {
            unsigned char *p = row + 4 * x;
            UColorSpace::YCbCrtoRbg(*luma, mCb, mCr, &p[2], &p[1], &p[0]);
        }
    }
}

void CYuvImageEffect::ProcessRgbFromYuv(unsigned char *luma, unsigned char *cb, unsigned char *cr)
{
    if (!mReference) {
        ForRows(0, [=](int first, int end) {
            for (int y = first; y < end; ++y) {
                const size_t at = static_cast<size_t>(y) * mWidth;
                UPixelRows::FromYCbCr(luma + at, cb + at, cr + at, mWidth, Row(y));
            }
        });
        return;
    }
    size_t i = 0;
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x, ++i) {
            unsigned char *p = row + 4 * x;
            UColorSpace::YCbCrtoRbg(luma[i], cb[i], cr[i], &p[2], &p[1], &p[0]);
        }
    }
}

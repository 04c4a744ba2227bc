#include "CYuvImageEffect.h"

#include <cstring>

#include "UColorSpace.h"

CYuvImageEffect::~CYuvImageEffect() = default;

int CYuvImageEffect::ProcessSelf()
{
    mYPlane.reset();
    mCbPlane.reset();
    mCrPlane.reset();
    return mYOnly != 0 ? ProcessYOnly() : ProcessYuv();
}

int CYuvImageEffect::ProcessYOnly()
{
    mYPlane = NewPlane();
    ConvertToY();
    ProcessRgbFromYOnly(mYPlane.get());
    return 1;
}

int CYuvImageEffect::ProcessYuv()
{
    mYPlane = NewPlane();
    mCbPlane = NewPlane();
    mCrPlane = NewPlane();
    std::memset(mYPlane.get(), 128, PlaneSize());
    std::memset(mCbPlane.get(), 128, PlaneSize());
    std::memset(mCrPlane.get(), 128, PlaneSize());
    ConvertToYuv();
    ProcessRgbFromYuv(mYPlane.get(), mCbPlane.get(), mCrPlane.get());
    return 1;
}

void CYuvImageEffect::ConvertToY()
{
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
    size_t i = 0;
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x, ++i) {
            unsigned char *p = row + 4 * x;
            UColorSpace::YCbCrtoRbg(luma[i], cb[i], cr[i], &p[2], &p[1], &p[0]);
        }
    }
}

#ifndef VELMORA_ENGINE_CYUVIMAGEEFFECT_H
#define VELMORA_ENGINE_CYUVIMAGEEFFECT_H

#include <cstddef>
#include <initializer_list>
#include <memory>

#include "CImageEffect.h"

// Effects that work on separate Y, Cb and Cr planes, or on a Y plane alone. Concrete
// effects change the picture between the two conversions by overriding
// ProcessRgbFromYuv or ProcessRgbFromYOnly. The planes are owned, kept after a run and
// replaced by the next one.
class CYuvImageEffect : public CImageEffect
{
public:
    ~CYuvImageEffect() override;
    int ProcessSelf() override;

    virtual int ProcessYOnly();
    virtual int ProcessYuv();
    virtual void ConvertToY();
    virtual void ConvertToYuv();
    virtual void ProcessRgbFromYOnly(unsigned char *y);
    virtual void ProcessRgbFromYuv(unsigned char *y, unsigned char *cb, unsigned char *cr);

protected:
    using Plane = std::unique_ptr<unsigned char[]>;

    size_t PlaneSize() const { return static_cast<size_t>(mWidth) * mHeight; }
    // A new plane of PlaneSize() bytes, contents undefined until filled.
    Plane NewPlane() const { return Plane(new unsigned char[PlaneSize()]); }
    // Gives each listed plane PlaneSize() bytes, contents undefined. The reference path
    // frees every plane of the last run first; the fast path keeps planes of the same
    // size, sparing the allocation and the page faults of megabytes on every run.
    void PreparePlanes(std::initializer_list<Plane *> planes);
    // Row y of a plane.
    unsigned char *PlaneRow(const Plane &plane, int y) const
    {
        return plane.get() + static_cast<size_t>(y) * mWidth;
    }

    unsigned char mYOnly = 0;
    unsigned char mCb = 128;
    unsigned char mCr = 128;
    Plane mYPlane;
    Plane mCbPlane;
    Plane mCrPlane;
    size_t mPlaneSize = 0;
};

#endif

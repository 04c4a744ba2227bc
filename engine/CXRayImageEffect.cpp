#include "CXRayImageEffect.h"

#include "UColorSpace.h"

int CXRayImageEffect::ProcessSelf()
{
    PaintLuma([](unsigned char luma) { return static_cast<unsigned char>(255 - luma); });
    return 1;
}

#include "CYDoubleBufferImageEffect.h"

CYDoubleBufferImageEffect::~CYDoubleBufferImageEffect() = default;

int CYDoubleBufferImageEffect::ProcessSelf()
{
    mYPlane = NewPlane();
    mYPlane2 = NewPlane();
    ConvertToY();
    ProcessY();
    ProcessRgbFromYOnly(mYPlane2.get());
    return 1;
}

#include "CYDoubleBufferImageEffect.h"

CYDoubleBufferImageEffect::~CYDoubleBufferImageEffect() = default;

int CYDoubleBufferImageEffect::ProcessSelf()
{
    // Release the last run's planes before allocating: never hold both sets at once.
    mYPlane.reset();
    mYPlane2.reset();
    mYPlane = NewPlane();
    mYPlane2 = NewPlane();
    ConvertToY();
    ProcessY();
    ProcessRgbFromYOnly(mYPlane2.get());
    return 1;
}

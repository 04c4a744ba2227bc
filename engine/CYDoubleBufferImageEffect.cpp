#include "CYDoubleBufferImageEffect.h"

CYDoubleBufferImageEffect::~CYDoubleBufferImageEffect() = default;

int CYDoubleBufferImageEffect::ProcessSelf()
{
    PreparePlanes({&mYPlane, &mYPlane2});
    ConvertToY();
    ProcessY();
    ProcessRgbFromYOnly(mYPlane2.get());
    return 1;
}

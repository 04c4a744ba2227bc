#include "CYBufferImageEffect.h"

CYBufferImageEffect::CYBufferImageEffect()
{
    mYOnly = 1;
}

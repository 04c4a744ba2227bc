#include "CYImageEffect.h"

int CYImageEffect::ProcessSelf()
{
    PaintLuma([](unsigned char luma) { return luma; });
    return 1;
}

#include "CDramaticBlackAndWhiteImageEffect.h"

#include <cmath>

#include "UColorSpace.h"

unsigned char CDramaticBlackAndWhiteImageEffect::sYLookup[256];
bool CDramaticBlackAndWhiteImageEffect::sInitialized =
    CDramaticBlackAndWhiteImageEffect::Initialize();

bool CDramaticBlackAndWhiteImageEffect::Initialize()
{
    if (sInitialized)
        return true;
    // 12544 is the square of the circles' radius, 112.
    for (int i = 0; i < 256; ++i) {
        int first = i;
        if (i >= 16 && i <= 127) {
            const int t = static_cast<int>(std::sqrt(12544.0 - (128 - i) * (128 - i)));
            first = i + (t + 16 - i) / 2;
        } else if (i >= 129 && i <= 240) {
            const int t = static_cast<int>(std::sqrt(12544.0 - (i - 128) * (i - 128)));
            int u = 240 - t;
            if (u > 239)
                u = 239;
            first = i + (u - i) / 2;
        }
        int v = (7 * first - 896) / 4 + 128;
        if (v < 16)
            v = 16;
        if (v > 239)
            v = 239;
        sYLookup[i] = static_cast<unsigned char>(v);
    }
    sInitialized = true;
    return true;
}

int CDramaticBlackAndWhiteImageEffect::ProcessSelf()
{
    PaintLuma([](unsigned char luma) { return sYLookup[luma]; });
    return 1;
}

#include "CColorNegativeImageEffect.h"

int CColorNegativeImageEffect::ProcessSelf()
{
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x) {
            unsigned char *p = row + 4 * x;
            p[0] = static_cast<unsigned char>(255 - p[0]);
            p[1] = static_cast<unsigned char>(255 - p[1]);
            p[2] = static_cast<unsigned char>(255 - p[2]);
        }
    }
    return 1;
}

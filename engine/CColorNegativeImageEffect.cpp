#include "CColorNegativeImageEffect.h"

#include <cstdint>
#include <cstring>

int CColorNegativeImageEffect::ProcessSelf()
{
    if (mReference) {
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
    // 255 - v flips every bit of v: one exclusive-or per pixel word.
    const uint32_t colour = UPixelRows::ColourMask();
    ForRows(0, [this, colour](int first, int end) {
        for (int y = first; y < end; ++y) {
            unsigned char *row = Row(y);
            for (int x = 0; x < mWidth; ++x) {
                uint32_t word;
                std::memcpy(&word, row + 4 * x, 4);
                word ^= colour;
                std::memcpy(row + 4 * x, &word, 4);
            }
        }
    });
    return 1;
}

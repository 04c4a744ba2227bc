#include "CInfraRedImageEffect.h"

#include <cstring>
#include <vector>

#include "UColorSpace.h"

CInfraRedImageEffect::CInfraRedImageEffect()
{
    // Shown nowhere and read by nothing: the look is fixed.
    mLevel1 = 10;
}

int CInfraRedImageEffect::ProcessSelf()
{
    if (mReference) {
        ProcessByPixel();
        return 1;
    }
    ForRows(3, [this](int first, int end) {
        const size_t width = mWidth;
        std::vector<unsigned char> buffer(3 * width);
        unsigned char *luma = buffer.data(), *cb = luma + width, *cr = cb + width;
        std::vector<int> noise(3 * width);
        CRandom &random = CRandom::Current();
        for (int y = first; y < end; ++y) {
            unsigned char *row = Row(y);
            random.Draw(noise.data(), static_cast<int>(3 * width));
            for (size_t x = 0; x < width; ++x) {
                const unsigned char red = row[4 * x + 2];
                luma[x] = red < 16 ? 16 : (red > 239 ? 239 : red);
            }
            std::memset(cb, 128, width);
            std::memset(cr, 128, width);
            UPixelRows::AddGrain(luma, cb, cr, noise.data(), mWidth, {1, 1, 1});
            UPixelRows::FromYCbCr(luma, cb, cr, mWidth, row);
        }
    });
    return 1;
}

void CInfraRedImageEffect::ProcessByPixel()
{
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x) {
            unsigned char *p = row + 4 * x;
            // Red, held to the studio luma range, stands for luma.
            const unsigned char red = p[2] < 16 ? 16 : (p[2] > 239 ? 239 : p[2]);
            // Draws per pixel, in this order: luma, Cb, Cr.
            const unsigned char luma = Noise(red, 1);
            const unsigned char cb = Noise(128, 1);
            const unsigned char cr = Noise(128, 1);
            UColorSpace::YCbCrtoRbg(luma, cb, cr, &p[2], &p[1], &p[0]);
        }
    }
}

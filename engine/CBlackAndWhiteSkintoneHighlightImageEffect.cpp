#include "CBlackAndWhiteSkintoneHighlightImageEffect.h"

#include "UColorSpace.h"

int CBlackAndWhiteSkintoneHighlightImageEffect::ProcessSelf()
{
    const unsigned char greyCb = mCb;
    const unsigned char greyCr = mCr;
    for (int y = 0; y < mHeight; ++y) {
        unsigned char *row = Row(y);
        for (int x = 0; x < mWidth; ++x) {
            unsigned char *p = row + 4 * x;
            unsigned char luma, cb, cr;
            UColorSpace::RgbtoYCbCr(p[2], p[1], p[0], &luma, &cb, &cr);
            const bool skin = cb >= 100 && cb <= 130 && cr >= 135 && cr <= 165;
            if (!skin) {
                cb = greyCb;
                cr = greyCr;
            }
            UColorSpace::YCbCrtoRbg(luma, cb, cr, &p[2], &p[1], &p[0]);
        }
    }
    return 1;
}

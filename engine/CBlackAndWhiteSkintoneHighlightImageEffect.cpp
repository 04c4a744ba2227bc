#include "CBlackAndWhiteSkintoneHighlightImageEffect.h"

#include "UColorSpace.h"

int CBlackAndWhiteSkintoneHighlightImageEffect::ProcessSelf()
{
    const unsigned char greyCb = mCb;
    const unsigned char greyCr = mCr;
    RemapYCbCr([greyCb, greyCr](unsigned char &, unsigned char &cb, unsigned char &cr) {
        const bool skin = cb >= 100 && cb <= 130 && cr >= 135 && cr <= 165;
        if (!skin) {
            cb = greyCb;
            cr = greyCr;
        }
    });
    return 1;
}

#include "CWaterColorImageEffect.h"

#include "UColorSpace.h"

CWaterColorImageEffect::CWaterColorImageEffect()
{
    mLevel1 = 10;
}

CText CWaterColorImageEffect::GetLevel1Name()
{
    return CText("Details");
}

void CWaterColorImageEffect::BuildReducedlevelsTable()
{
    const unsigned char bin = static_cast<unsigned char>(224 / (mLevel1 + 1));
    for (int i = 0; i < 256; ++i) {
        // The centre of i's bin (bins start at luma 16), pulled a ninth of the way to 239,
        // then averaged with i itself.
        const int centre = (i - 16) / bin * bin + bin / 2 + 16;
        const int pull = (239 - centre) * 8 / 9;
        int lifted = 239 - pull;
        lifted = lifted < 16 ? 16 : (lifted > 239 ? 239 : lifted);
        mReducedLevels[i] = static_cast<unsigned char>(i / 2 + lifted / 2);
    }
}

int CWaterColorImageEffect::ProcessSelf()
{
    BuildReducedlevelsTable();
    const unsigned char *table = mReducedLevels;
    // One random draw per pixel, on the toned luma, in row order.
    RemapYCbCrNoisy<1, 0, 0>(
        [table](unsigned char &y, unsigned char &, unsigned char &) { y = table[y]; });
    Blur2Rgb();
    return 1;
}

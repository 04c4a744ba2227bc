#include "CPosterizationImageEffect.h"

CPosterizationImageEffect::CPosterizationImageEffect()
{
    mLevel1 = 10;
}

CText CPosterizationImageEffect::GetLevel1Name()
{
    return CText("Details");
}

void CPosterizationImageEffect::BuildReducedlevelsTable()
{
    // Each value goes to the middle of its bin; the last bin may reach past 255.
    const unsigned char bin = static_cast<unsigned char>(255 / (22 - mLevel1));
    for (int i = 0; i < 256; ++i) {
        const int centre = i / bin * bin + bin / 2;
        mReducedLevels[i] = static_cast<unsigned char>(centre > 255 ? 255 : centre);
    }
}

int CPosterizationImageEffect::ProcessSelf()
{
    BuildReducedlevelsTable();
    const unsigned char *table = mReducedLevels;
    ForRows(0, [this, table](int first, int end) {
        for (int y = first; y < end; ++y) {
            unsigned char *p = Row(y);
            for (int x = 0; x < mWidth; ++x, p += 4) {
                p[0] = table[p[0]];
                p[1] = table[p[1]];
                p[2] = table[p[2]];
            }
        }
    });
    return 1;
}

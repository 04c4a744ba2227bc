#include "CColorLineArtImageEffect.h"

int CColorLineArtImageEffect::ProcessSelf()
{
    return ProcessSelfInColor();
}

void CColorLineArtImageEffect::ProcessY()
{
    BuildSensitivityTable();
    // Where no line is drawn the luma drops to 192, so the photo's colour shows as a tint;
    // only pixels that are nearly white already stay at 239.
    DrawEdges([](unsigned char v, unsigned char luma) -> unsigned char {
        if (v > 238)
            return luma > 229 ? 239 : 192;
        return v;
    });
}

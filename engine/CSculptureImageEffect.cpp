#include "CSculptureImageEffect.h"

void CSculptureImageEffect::BuildSensitivityTable()
{
    CInkedImageEffect::BuildSensitivityTable();
    unsigned char *signedTable = mSignedSensitivity + 255;
    for (int n = 0; n < 256; ++n) {
        const unsigned char t = mSensitivity[n];
        if (t > 191) {
            signedTable[n] = signedTable[-n] = 144;
        } else {
            // For n = 0 the falling side is written last and wins.
            signedTable[n] = static_cast<unsigned char>(255 - t);
            signedTable[-n] = t;
        }
    }
}

void CSculptureImageEffect::ProcessY()
{
    BuildSensitivityTable();
    const unsigned char *table = mSignedSensitivity + 255;
    const unsigned char *in = mYPlane.get();
    unsigned char *out = mYPlane2.get();
    const size_t width = mWidth;

    // Row r reads rows r and r - 1 of the luma plane only, so bands are independent.
    ForRows(0, [=](int first, int end) {
        for (int r = first; r < end; ++r) {
            const unsigned char *row = in + r * width;
            unsigned char *result = out + r * width;
            if (r == 0) {
                DrawTopRow(result, width, [=](size_t x) { return table[row[x] - row[x - 1]]; });
                continue;
            }
            const unsigned char *above = row - width;
            result[0] = table[row[0] - above[0]];
            for (size_t x = 1; x < width; ++x)
                result[x] = table[row[x] - above[x - 1]];
        }
    });
}

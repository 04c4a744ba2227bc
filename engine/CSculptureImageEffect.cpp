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

    out[0] = 239;
    for (size_t x = 1; x < width; ++x)
        out[x] = table[in[x] - in[x - 1]];
    if (width > 1)
        out[0] = out[1];

    for (int r = 1; r < mHeight; ++r) {
        const unsigned char *row = in + r * width;
        const unsigned char *above = row - width;
        unsigned char *result = out + r * width;
        result[0] = table[row[0] - above[0]];
        for (size_t x = 1; x < width; ++x)
            result[x] = table[row[x] - above[x - 1]];
    }
}

#ifndef VELMORA_ENGINE_CINKEDIMAGEEFFECT_H
#define VELMORA_ENGINE_CINKEDIMAGEEFFECT_H

#include <algorithm>
#include <cstdlib>

#include "CYDoubleBufferImageEffect.h"

// Ink drawing: luma differences between neighbours become dark lines on white. The level
// ("Sensitivity") and the run's scale set how large a difference must be to draw.
class CInkedImageEffect : public CYDoubleBufferImageEffect
{
public:
    CInkedImageEffect();

    CText GetLevel1Name() override;
    void SetLevel1(unsigned char level) override;
    void ProcessY() override;

    virtual void BuildSensitivityTable();

protected:
    // The colour variants' ProcessSelf: the drawn luma under the photo's own chroma.
    int ProcessSelfInColor();

    // The ink pass over mYPlane into mYPlane2. `adjust(v, luma)` may change each drawn
    // value v given the pixel's own luma; it is inlined into the loop.
    template <class Adjust> void DrawEdges(Adjust adjust);

    // Grey drawn for an unsigned luma difference.
    unsigned char mSensitivity[256] = {};
};

template <class Adjust> void CInkedImageEffect::DrawEdges(Adjust adjust)
{
    const unsigned char *table = mSensitivity;
    const unsigned char *in = mYPlane.get();
    unsigned char *out = mYPlane2.get();
    const size_t width = mWidth;

    // The top-left element has no neighbour of its own; a 1-pixel-wide row keeps this.
    out[0] = 239;
    for (size_t x = 1; x < width; ++x)
        out[x] = adjust(table[std::abs(in[x] - in[x - 1])], in[x]);
    if (width > 1)
        out[0] = out[1];

    for (int r = 1; r < mHeight; ++r) {
        const unsigned char *row = in + r * width;
        const unsigned char *above = row - width;
        unsigned char *result = out + r * width;
        result[0] = adjust(table[std::abs(row[0] - above[0])], row[0]);
        for (size_t x = 1; x < width; ++x) {
            const int a = row[x];
            const int b = row[x - 1];
            const int c = above[x];
            const int d = above[x - 1];
            const int high = std::max(std::max(a, b), std::max(c, d));
            const int low = std::min(std::min(a, b), std::min(c, d));
            result[x] = adjust(table[high - low], row[x]);
        }
    }
}

#endif

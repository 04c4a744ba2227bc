#ifndef VELMORA_ENGINE_CINKEDIMAGEEFFECT_H
#define VELMORA_ENGINE_CINKEDIMAGEEFFECT_H

#include <algorithm>
#include <cstdlib>
#include <vector>

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

    // The top row, which has only left neighbours: result[x] = drawn(x) from x = 1 on, and
    // the top-left element copies its right neighbour (a 1-pixel-wide row keeps 239).
    template <class Drawn> static void DrawTopRow(unsigned char *result, size_t width, Drawn drawn)
    {
        result[0] = 239;
        for (size_t x = 1; x < width; ++x)
            result[x] = drawn(x);
        if (width > 1)
            result[0] = result[1];
    }

    // spread[x] = maximum - minimum of row[x - 1 .. x] and above[x - 1 .. x], for x >= 1.
    static void SpreadOf(const unsigned char *__restrict row, const unsigned char *__restrict above,
                         unsigned char *__restrict spread, size_t width)
    {
        for (size_t x = 1; x < width; ++x) {
            const unsigned char high =
                std::max(std::max(row[x], row[x - 1]), std::max(above[x], above[x - 1]));
            const unsigned char low =
                std::min(std::min(row[x], row[x - 1]), std::min(above[x], above[x - 1]));
            spread[x] = static_cast<unsigned char>(high - low);
        }
    }

    // Grey drawn for an unsigned luma difference.
    unsigned char mSensitivity[256] = {};
};

template <class Adjust> void CInkedImageEffect::DrawEdges(Adjust adjust)
{
    const unsigned char *table = mSensitivity;
    const unsigned char *in = mYPlane.get();
    unsigned char *out = mYPlane2.get();
    const size_t width = mWidth;

    // Row r reads rows r and r - 1 of the luma plane only, so bands are independent.
    ForRows(0, [&](int first, int end) {
        std::vector<unsigned char> spread(mReference ? 0 : width);
        for (int r = first; r < end; ++r) {
            const unsigned char *row = in + r * width;
            unsigned char *result = out + r * width;
            if (r == 0) {
                DrawTopRow(result, width, [&](size_t x) {
                    return adjust(table[std::abs(row[x] - row[x - 1])], row[x]);
                });
                continue;
            }
            const unsigned char *above = row - width;
            result[0] = adjust(table[std::abs(row[0] - above[0])], row[0]);
            if (mReference) {
                for (size_t x = 1; x < width; ++x) {
                    const int a = row[x];
                    const int b = row[x - 1];
                    const int c = above[x];
                    const int d = above[x - 1];
                    const int high = std::max(std::max(a, b), std::max(c, d));
                    const int low = std::min(std::min(a, b), std::min(c, d));
                    result[x] = adjust(table[high - low], row[x]);
                }
                continue;
            }
            // The spread of each 2 x 2 block vectorises; the table read stays scalar.
            SpreadOf(row, above, spread.data(), width);
            for (size_t x = 1; x < width; ++x)
                result[x] = adjust(table[spread[x]], row[x]);
        }
    });
}

#endif

#include "UCurve.h"

#include <algorithm>
#include <cmath>

#include "UPixelRows.h"

namespace {

constexpr int kOne = 1 << 16;

} // namespace

UCurve::UCurve(const unsigned char *column, int stride, double slope)
{
    for (int v = 0; v < 256; ++v)
        mTable[v] = column[v * stride];
    mArithmetic = Fit(slope);
}

UCurve UCurve::Constant(unsigned char value)
{
    UCurve curve;
    std::fill(curve.mTable, curve.mTable + 256, value);
    curve.mAdd = value * kOne;
    curve.mArithmetic = true;
    return curve;
}

// Tries multipliers next to slope * 2^16. For each, every entry bounds the offset: an entry
// t inside 1..254 needs t * 2^16 <= v * mul + add < (t + 1) * 2^16, and a clamped one only
// one side of that. The form is taken when some offset meets all 256 bounds.
bool UCurve::Fit(double slope)
{
    if (!std::isfinite(slope) || std::fabs(slope) > 64.0)
        return false;
    const int guess = static_cast<int>(std::lround(slope * kOne));
    for (int step = 0; step <= 8; ++step) {
        const int mul = guess + (step % 2 == 0 ? step / 2 : -(step + 1) / 2);
        long long low = -(1LL << 40), high = 1LL << 40;
        for (int v = 0; v < 256 && low <= high; ++v) {
            const long long product = static_cast<long long>(v) * mul;
            const int t = mTable[v];
            if (t > 0)
                low = std::max(low, static_cast<long long>(t) * kOne - product);
            if (t < 255)
                high = std::min(high, static_cast<long long>(t + 1) * kOne - 1 - product);
        }
        // The kernel adds in int: keep every sum v * mul + add inside it.
        if (low <= high && low > -(1LL << 30) && low < (1LL << 30)) {
            mMul = mul;
            mAdd = static_cast<int>(low);
            return true;
        }
    }
    return false;
}

void UCurve::ApplyRow(unsigned char *values, int width) const
{
    if (mArithmetic) {
        UPixelRows::Curve(values, width, mMul, mAdd);
        return;
    }
    for (int x = 0; x < width; ++x)
        values[x] = mTable[values[x]];
}

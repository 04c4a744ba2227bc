#include "UCurve.h"

#include <algorithm>

namespace {

constexpr long long kOne = 1 << 16;
// Beyond any bound an entry sets.
constexpr long long kUnbounded = 1LL << 50;

} // namespace

UCurve::UCurve(const unsigned char *column, int stride)
{
    for (int v = 0; v < 256; ++v)
        mTable[v] = column[v * stride];
    mIsLine = FitLine();
}

UCurve UCurve::Constant(unsigned char value)
{
    unsigned char table[256];
    std::fill(table, table + 256, value);
    return UCurve(table, 1);
}

// With the table's least entry as floor and its greatest as ceiling, entry t at v needs
// t << 16 <= v * mul + add (unless t is the floor) and v * mul + add < (t + 1) << 16
// (unless t is the ceiling). For a trial mul these bound add from both sides; when they
// cross, the two entries that set the bounds say whether mul must grow or shrink, so a
// binary search over mul finds a line wherever there is one.
bool UCurve::FitLine()
{
    const auto [least, greatest] = std::minmax_element(mTable, mTable + 256);
    const long long floor = *least, ceiling = *greatest;
    long long minMul = -64 * kOne, maxMul = 64 * kOne;
    // Two entries off both limits, a and b, are each below the line by less than one, so
    // the line rises by t[b] - t[a] plus or minus one between them: that brackets mul.
    const auto inside = [&](int v) { return mTable[v] > floor && mTable[v] < ceiling; };
    int a = 0, b = 255;
    while (a < 256 && !inside(a))
        ++a;
    while (b > a && !inside(b))
        --b;
    if (b > a) {
        const long long rise = mTable[b] - mTable[a];
        minMul = std::max(minMul, (rise - 1) * kOne / (b - a) - 1);
        maxMul = std::min(maxMul, (rise + 1) * kOne / (b - a) + 1);
    }
    while (minMul <= maxMul) {
        const long long mul = minMul + (maxMul - minMul) / 2;
        long long low = -kUnbounded, high = kUnbounded;
        int lowAt = -1, highAt = -1;
        for (int v = 0; v < 256; ++v) {
            const long long t = mTable[v], product = v * mul;
            if (t > floor && t * kOne - product > low) {
                low = t * kOne - product;
                lowAt = v;
            }
            if (t < ceiling && (t + 1) * kOne - 1 - product < high) {
                high = (t + 1) * kOne - 1 - product;
                highAt = v;
            }
        }
        if (low > high) {
            if (lowAt > highAt)
                minMul = mul + 1;
            else
                maxMul = mul - 1;
            continue;
        }
        const long long add = lowAt >= 0 ? low : (highAt >= 0 ? high : floor * kOne);
        // The kernel works in int.
        const long long limit = 1LL << 30;
        if (add <= -limit || add >= limit)
            return false;
        mLine = {static_cast<int>(mul), static_cast<int>(add), static_cast<int>(floor * kOne),
                 static_cast<int>(ceiling * kOne)};
        return true;
    }
    return false;
}

void UCurve::ApplyRow(const unsigned char *from, int width, unsigned char *to) const
{
    if (mIsLine) {
        UPixelRows::Curve(from, width, mLine, to);
        return;
    }
    for (int x = 0; x < width; ++x)
        to[x] = mTable[from[x]];
}

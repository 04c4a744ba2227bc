#include "CRandom.h"

#include <atomic>
#include <cstring>
#include <ctime>

namespace {

constexpr int kDegree = 31;

// Product of two polynomials of degree < 31 modulo x^31 - x^28 - 1, coefficients mod 2^32.
void MultiplyModulo(const uint32_t *a, const uint32_t *b, uint32_t *out)
{
    uint32_t product[2 * kDegree - 1] = {};
    for (int i = 0; i < kDegree; ++i)
        for (int j = 0; j < kDegree; ++j)
            product[i + j] += a[i] * b[j];
    // x^k = x^(k-3) + x^(k-31) for k >= 31.
    for (int k = 2 * kDegree - 2; k >= kDegree; --k) {
        product[k - 3] += product[k];
        product[k - kDegree] += product[k];
    }
    std::memcpy(out, product, kDegree * sizeof(uint32_t));
}

} // namespace

void CRandom::Seed(unsigned seed)
{
    // A zero seed would leave the state all zeros; the C library maps it to 1 as well.
    if (seed == 0)
        seed = 1;
    int32_t word = static_cast<int32_t>(seed);
    uint32_t ring[kDegree];
    ring[0] = static_cast<uint32_t>(word);
    for (int i = 1; i < kDegree; ++i) {
        // 16807 * word mod (2^31 - 1) without overflow (Schrage's method).
        const int32_t hi = word / 127773;
        const int32_t lo = word % 127773;
        word = 16807 * lo - 2836 * hi;
        if (word < 0)
            word += 2147483647;
        ring[i] = static_cast<uint32_t>(word);
    }
    // The C library starts with its front three places ahead of its rear, so the oldest
    // value sits at place 3; lay the state out oldest first, then run the 310 discarded
    // steps, which leaves far more than the history the refill needs.
    constexpr int kDiscarded = 10 * kDegree;
    uint32_t run[kDegree + kDiscarded];
    for (int j = 0; j < kDegree; ++j)
        run[j] = ring[(3 + j) % kDegree];
    for (int i = kDegree; i < kDegree + kDiscarded; ++i)
        run[i] = run[i - 3] + run[i - kDegree];
    std::memcpy(mValues, run + kDegree + kDiscarded - kHistory, kHistory * sizeof(uint32_t));
    mNext = mEnd = kHistory;
    mSeeded = true;
}

void CRandom::Refill()
{
    if (!mSeeded)
        Seed(1);
    std::memmove(mValues, mValues + mEnd - kHistory, kHistory * sizeof(uint32_t));
    // x^31 = x^28 + 1 raised to the fourth power gives
    // r[i] = r[i-12] + 4 r[i-40] + 6 r[i-68] + 4 r[i-96] + r[i-124]: twelve apart instead
    // of three, so the loop runs four lanes wide, and every read of a recent value meets
    // exactly one earlier four-lane store (no store-forwarding stall).
    uint32_t *v = mValues;
    for (int i = kHistory; i < kHistory + kBlock; ++i)
        v[i] = v[i - 12] + 4 * (v[i - 40] + v[i - 96]) + 6 * v[i - 68] + v[i - 124];
    mNext = kHistory;
    mEnd = kHistory + kBlock;
}

void CRandom::Draw(int *out, int count)
{
    while (count > 0) {
        if (mNext == mEnd)
            Refill();
        const int n = count < mEnd - mNext ? count : mEnd - mNext;
        const uint32_t *values = mValues + mNext;
        for (int i = 0; i < n; ++i)
            out[i] = static_cast<int>(values[i] >> 1);
        mNext += n;
        out += n;
        count -= n;
    }
}

void CRandom::RestoreHistory()
{
    // Run the recurrence backwards: r[i] = r[i+31] - r[i+28].
    uint32_t *v = mValues;
    for (int i = kHistory - kDegree - 1; i >= 0; --i)
        v[i] = v[i + kDegree] - v[i + kDegree - 3];
    mNext = mEnd = kHistory;
}

void CRandom::Skip(uint64_t count)
{
    if (!mSeeded)
        Seed(1);
    const uint64_t ready = static_cast<uint64_t>(mEnd - mNext);
    if (count <= ready) {
        mNext += static_cast<int>(count);
        return;
    }
    count -= ready;
    mNext = mEnd;
    // The state w[0..30] (oldest first) is the last 31 values. If x^(count + j) is
    // sum c[i] x^i modulo the recurrence's polynomial, the value count + j steps on is
    // sum c[i] w[i]. x^count comes from repeated squaring.
    uint32_t state[kDegree];
    std::memcpy(state, mValues + mEnd - kDegree, sizeof state);
    uint32_t power[kDegree] = {};
    uint32_t base[kDegree] = {};
    power[0] = 1;
    base[1] = 1;
    for (uint64_t rest = count; rest != 0; rest >>= 1) {
        if (rest & 1)
            MultiplyModulo(power, base, power);
        if (rest > 1)
            MultiplyModulo(base, base, base);
    }
    uint32_t *window = mValues + kHistory - kDegree;
    for (int j = 0; j < kDegree; ++j) {
        uint32_t value = 0;
        for (int i = 0; i < kDegree; ++i)
            value += power[i] * state[i];
        window[j] = value;
        // Multiply by x: shift up, and x^31 = x^28 + 1.
        const uint32_t top = power[kDegree - 1];
        for (int i = kDegree - 1; i > 0; --i)
            power[i] = power[i - 1];
        power[0] = top;
        power[28] += top;
    }
    RestoreHistory();
}

void CRandom::SeedFromClock()
{
    static const unsigned startTime = static_cast<unsigned>(std::time(nullptr));
    static std::atomic<unsigned> threads{0};
    sCurrent.Seed(startTime + threads.fetch_add(1));
}

#ifndef VELMORA_ENGINE_CRANDOM_H
#define VELMORA_ENGINE_CRANDOM_H

#include <cstdint>

// The engine's random source: the additive-feedback generator
// r[i] = r[i-3] + r[i-31] (mod 2^32), output r >> 1, whose state is seeded through
// the 16807 multiplier and run 310 steps before the first output. It yields the same
// sequence as the C library's rand() after srand(seed) on glibc, without its lock.
//
// Each thread draws from its own generator (Current()), so parallel runs never share
// state; whoever needs a reproducible run seeds the generator of the thread it runs on.
class CRandom
{
public:
    explicit CRandom(unsigned seed = 1) { Seed(seed); }

    void Seed(unsigned seed);

    // A non-negative value in 0 .. 2^31 - 1.
    int Next()
    {
        mState[mFront] += mState[mRear];
        const int result = static_cast<int>(mState[mFront] >> 1);
        mFront = mFront + 1 == kDegree ? 0 : mFront + 1;
        mRear = mRear + 1 == kDegree ? 0 : mRear + 1;
        return result;
    }

    // The calling thread's generator. The first thread to ask is seeded with the clock
    // at start-up; later threads with the clock plus a count, so that they differ.
    static CRandom &Current();

private:
    static constexpr int kDegree = 31;
    static constexpr int kSeparation = 3;

    uint32_t mState[kDegree];
    int mFront = kSeparation;
    int mRear = 0;
};

#endif

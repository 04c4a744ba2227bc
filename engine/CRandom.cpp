#include "CRandom.h"

#include <atomic>
#include <ctime>

void CRandom::Seed(unsigned seed)
{
    // A zero seed would leave the state all zeros; the C library maps it to 1 as well.
    if (seed == 0)
        seed = 1;
    int32_t word = static_cast<int32_t>(seed);
    mState[0] = static_cast<uint32_t>(word);
    for (int i = 1; i < kDegree; ++i) {
        // 16807 * word mod (2^31 - 1) without overflow (Schrage's method).
        const int32_t hi = word / 127773;
        const int32_t lo = word % 127773;
        word = 16807 * lo - 2836 * hi;
        if (word < 0)
            word += 2147483647;
        mState[i] = static_cast<uint32_t>(word);
    }
    mFront = kSeparation;
    mRear = 0;
    for (int i = 0; i < 10 * kDegree; ++i)
        Next();
}

CRandom &CRandom::Current()
{
    static const unsigned startTime = static_cast<unsigned>(std::time(nullptr));
    static std::atomic<unsigned> threads{0};
    thread_local CRandom generator(startTime + threads.fetch_add(1));
    return generator;
}

#ifndef VELMORA_ENGINE_CRANDOM_H
#define VELMORA_ENGINE_CRANDOM_H

#include <cstdint>

// The engine's random source: the additive-feedback generator
// r[i] = r[i-3] + r[i-31] (mod 2^32), output r >> 1, whose state is seeded through
// the 16807 multiplier and run 310 steps before the first output. It yields the same
// sequence as the C library's rand() after srand(seed) on glibc, without its lock.
//
// Numbers are produced a block at a time (a loop the compiler vectorises), and the
// recurrence being linear, Skip jumps any distance ahead in O(log distance): a band of
// rows can start from the exact state the whole run reaches at its first draw.
//
// Each thread draws from its own generator (Current()), so parallel runs never share
// state; whoever needs a reproducible run seeds the generator of the thread it runs on.
class CRandom
{
public:
    // Unseeded, it behaves as if seeded with 1, as rand() does before any srand().
    constexpr CRandom() : mValues{}, mNext(kHistory), mEnd(kHistory), mSeeded(false) {}
    explicit CRandom(unsigned seed) : CRandom() { Seed(seed); }

    void Seed(unsigned seed);

    // A non-negative value in 0 .. 2^31 - 1.
    int Next()
    {
        if (mNext == mEnd)
            Refill();
        return static_cast<int>(mValues[mNext++] >> 1);
    }

    // The next `count` values, as that many calls of Next would give them.
    void Draw(int *out, int count);

    // Moves on as `count` calls of Next would.
    void Skip(uint64_t count);

    // The calling thread's generator. The first thread to ask is seeded with the clock;
    // later threads with the clock plus a count, so that they differ.
    static CRandom &Current()
    {
        if (!sCurrent.mSeeded)
            SeedFromClock();
        return sCurrent;
    }

private:
    static constexpr int kDegree = 31;
    // Sequence values kept before the next one: the refill reads 124 back.
    static constexpr int kHistory = 4 * kDegree;
    static constexpr int kBlock = 1024;

    void Refill();
    // Rebuilds the history from the last kDegree values (the generator's state), which
    // end at mValues[kHistory - 1]; leaves no values ready.
    void RestoreHistory();
    static void SeedFromClock();

    // Consecutive sequence values (before the shift); mValues[mNext] is the next output.
    uint32_t mValues[kHistory + kBlock];
    int mNext;
    int mEnd;
    bool mSeeded;

    static thread_local CRandom sCurrent;
};

// Constant-initialised and defined inline: reading it costs no guard and no call.
inline thread_local CRandom CRandom::sCurrent;

#endif

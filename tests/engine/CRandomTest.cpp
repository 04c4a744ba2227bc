#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <thread>
#include <vector>

#include "CRandom.h"

namespace {

// Exactly the numbers of glibc's rand() after srand(seed), so that noise from a seed is the
// same on every build: drawn singly, or in bulk after a jump ahead by arithmetic from a fresh
// seed or from anywhere in a block (its last value included), near and far. Seeding a
// generator already in use starts the sequence afresh.
TEST(CRandom, DrawsTheCLibrarySequenceOfItsSeedSinglyInBulkAndAfterSkips)
{
    for (unsigned seed : {0u, 1u, 42u, 127773u, 2147483647u, 2147483648u, UINT_MAX})
        for (uint64_t distance : {0u, 1u, 30u, 31u, 1018u, 1024u, 5000u, 1234567u})
            for (int drawnBefore : {0, 5, 1100}) {
                CRandom generator(seed + 1);
                generator.Next();
                generator.Seed(seed);
                std::srand(seed);
                for (int i = 0; i < drawnBefore; ++i)
                    ASSERT_EQ(generator.Next(), std::rand()) << "seed " << seed;
                generator.Skip(distance);
                for (uint64_t i = 0; i < distance; ++i)
                    std::rand();
                std::vector<int> drawn(2000);
                generator.Draw(drawn.data(), 2000);
                for (int i = 0; i < 2000; ++i)
                    ASSERT_EQ(drawn[i], std::rand()) << "draw " << i << " after " << drawnBefore
                                                     << " + " << distance << " of seed " << seed;
            }
}

// A seed on another thread (a band, a batch job) leaves this thread's sequence where it was.
TEST(CRandom, ThreadsDrawFromTheirOwnGenerator)
{
    CRandom::Current().Seed(99);
    std::thread([] { CRandom::Current().Seed(5); }).join();
    EXPECT_EQ(CRandom::Current().Next(), CRandom(99).Next());
}

} // namespace

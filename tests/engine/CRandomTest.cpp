#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <thread>
#include <vector>

#include "CImageEffect.h"
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

TEST(CRandom, ThreadsDrawFromTheirOwnGenerator)
{
    CImageEffect::Seed(99);
    const int expected = CRandom(99).Next();
    // Draws and seeds on another thread must not move this thread's sequence.
    std::thread([] {
        CImageEffect::Seed(5);
        for (int i = 0; i < 1000; ++i)
            CRandom::Current().Next();
    }).join();
    EXPECT_EQ(CRandom::Current().Next(), expected);
    // Threads nobody seeds still start from different points of the sequence.
    std::vector<int> first[2];
    for (auto &draws : first)
        std::thread([&draws] {
            for (int i = 0; i < 4; ++i)
                draws.push_back(CRandom::Current().Next());
        }).join();
    EXPECT_NE(first[0], first[1]);
}

} // namespace

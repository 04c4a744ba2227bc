#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <thread>
#include <vector>

#include "CImageEffect.h"
#include "CRandom.h"

namespace {

// Exactly the numbers of glibc's rand() after srand(seed), so that noise from a seed is the
// same on every build; seeding a generator already in use starts the sequence afresh.
TEST(CRandom, DrawsTheCLibrarySequenceOfItsSeed)
{
    for (unsigned seed :
         {0u, 1u, 2u, 42u, 12345u, 127773u, 2147483647u, 2147483648u, 3000000000u, UINT_MAX}) {
        CRandom generator(seed + 1);
        for (int i = 0; i < 40; ++i)
            generator.Next();
        generator.Seed(seed);
        std::srand(seed);
        for (int i = 0; i < 5000; ++i)
            ASSERT_EQ(generator.Next(), std::rand()) << "draw " << i << " of seed " << seed;
    }
}

// Skip jumps ahead by arithmetic, Draw fills in bulk: both must land where single draws
// do, from a fresh seed and from the middle of a block, near and far.
TEST(CRandom, SkipsAndDrawsInBulkToWhereSingleDrawsLand)
{
    for (uint64_t distance : {0u, 1u, 30u, 31u, 1023u, 1024u, 5000u, 1234567u})
        for (int drawnBefore : {0, 5, 1100}) {
            CRandom jumped(31), stepped(31);
            std::vector<int> bulk(static_cast<size_t>(drawnBefore));
            jumped.Draw(bulk.data(), drawnBefore);
            for (int i = 0; i < drawnBefore; ++i)
                ASSERT_EQ(bulk[i], stepped.Next());
            jumped.Skip(distance);
            for (uint64_t i = 0; i < distance; ++i)
                stepped.Next();
            for (int i = 0; i < 300; ++i)
                ASSERT_EQ(jumped.Next(), stepped.Next())
                    << "draw " << i << " after " << drawnBefore << " + " << distance;
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

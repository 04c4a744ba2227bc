#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "MemoryBudget.h"

namespace {

// Waits until `budget` has `count` reservations waiting; false after ten seconds.
bool untilWaiting(MemoryBudget &budget, int count)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (budget.waiting() != count && std::chrono::steady_clock::now() < end)
        std::this_thread::yield();
    return budget.waiting() == count;
}

// A job waits until it fits, later ones queue behind it, and one larger than the whole
// budget runs alone.
TEST(MemoryBudget, AJobWaitsUntilItFitsAndLaterOnesQueueBehindIt)
{
    MemoryBudget budget(100);
    const qint64 first = budget.reserve(60);
    std::thread large([&] { budget.release(budget.reserve(50)); });
    EXPECT_TRUE(untilWaiting(budget, 1));
    // 10 bytes would fit beside the first, but the 50 asked before.
    std::thread small([&] { budget.release(budget.reserve(10)); });
    EXPECT_TRUE(untilWaiting(budget, 2)) << "the small job queues behind the large one";
    budget.release(first);
    large.join();
    small.join();
    EXPECT_EQ(budget.held(), 0);
    ASSERT_EQ(budget.reserve(5000), 100); // larger than the whole budget: runs alone
    std::thread other([&] { budget.release(budget.reserve(1)); });
    EXPECT_TRUE(untilWaiting(budget, 1));
    budget.release(100);
    other.join();
    EXPECT_GT(MemoryBudget::defaultBytes(), qint64(64) << 20);
}

} // namespace

#include <gtest/gtest.h>

#include <thread>

#include "MemoryBudget.h"

namespace {

// Blocks the calling thread until `budget` has `count` reservations waiting.
void untilWaiting(MemoryBudget &budget, int count)
{
    while (budget.waiting() != count)
        std::this_thread::yield();
}

TEST(MemoryBudget, AJobWaitsUntilItFitsAndLaterOnesQueueBehindIt)
{
    MemoryBudget budget(100);
    const qint64 first = budget.reserve(60);
    std::thread large([&] { budget.release(budget.reserve(50)); });
    untilWaiting(budget, 1);
    // 10 bytes would fit beside the first, but the 50 asked before.
    std::thread small([&] { budget.release(budget.reserve(10)); });
    untilWaiting(budget, 2);
    EXPECT_EQ(budget.held(), 60);
    budget.release(first);
    large.join();
    small.join();
    EXPECT_EQ(budget.held(), 0);
    EXPECT_EQ(budget.waiting(), 0);
}

TEST(MemoryBudget, AJobLargerThanTheBudgetRunsAlone)
{
    MemoryBudget budget(100);
    const qint64 whole = budget.reserve(5000);
    EXPECT_EQ(whole, 100);
    std::thread other([&] { budget.release(budget.reserve(1)); });
    untilWaiting(budget, 1);
    budget.release(whole);
    other.join();
    EXPECT_GT(MemoryBudget::defaultBytes(), qint64(64) << 20);
}

} // namespace

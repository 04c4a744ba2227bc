#include "Timer.h"
#include "MainThread.h"
#include "PlatformTestSupport.h"

#include <atomic>
#include <limits>

namespace {

class Target : public QObject
{
public:
    void fired() { ++count; }
    int count = 0;
};

TEST(Timer, FiresOnceUnlessInvalidatedOrItsTargetDies)
{
    int invalidated = 0, orphaned = 0, self = 0;
    Target target;
    auto doomed = std::make_unique<QObject>();
    QElapsedTimer clock;
    clock.start();
    QPointer<QTimer> once = Timer::scheduled(0.05, &target, &Target::fired);
    QPointer<QTimer> cancelled = Timer::scheduled(0.02, &target, [&] { ++invalidated; });
    QPointer<QTimer> dead = Timer::scheduled(0.02, doomed.get(), [&] { ++orphaned; });
    QPointer<QTimer> own;
    own = Timer::scheduled(0.01, &target, [&] {
        ++self;
        Timer::invalidate(own); // from its own action
    });
    EXPECT_TRUE(Timer::isPending(once));
    Timer::invalidate(cancelled);
    Timer::invalidate(cancelled); // twice is harmless
    doomed.reset();
    EXPECT_TRUE(cancelled.isNull() && dead.isNull());

    ASSERT_TRUE(waitUntil([&] { return target.count > 0; }));
    EXPECT_GE(clock.elapsed(), 45);
    waitUntil([] { return false; }, 100);
    EXPECT_EQ(target.count + self, 2);
    EXPECT_EQ(invalidated + orphaned, 0);
    EXPECT_TRUE(once.isNull()) << "a fired timer cleans itself up";
}

TEST(Timer, AnIntervalBeyondTheTimersRangeWaitsInsteadOfFiringAtOnce)
{
    Target target;
    // 2^32 ms, and no end at all.
    for (double seconds : {4294967.296, std::numeric_limits<double>::infinity()})
        Timer::scheduled(seconds, &target, &Target::fired);
    waitUntil([] { return false; }, 50);
    EXPECT_EQ(target.count, 0);
}

TEST(MainThread, WorkIsQueuedFromAnyThreadAndDroppedWithItsContext)
{
    bool fromMain = false, forDead = false;
    std::atomic<bool> posted{false};
    QThread *ranOn = nullptr;
    MainThread::post([&] { fromMain = true; });
    EXPECT_FALSE(fromMain) << "queued even from the main thread";
    auto context = std::make_unique<QObject>();
    MainThread::post(context.get(), [&] { forDead = true; });
    context.reset();
    std::unique_ptr<QThread> worker(QThread::create([&] {
        MainThread::post([&] { ranOn = QThread::currentThread(); });
        posted = true;
    }));
    worker->start();
    // The main thread runs no events meanwhile, so a blocking post would never return.
    ASSERT_TRUE(worker->wait(5000) && posted);
    EXPECT_EQ(ranOn, nullptr);
    ASSERT_TRUE(waitUntil([&] { return ranOn && fromMain; }));
    EXPECT_EQ(ranOn, QCoreApplication::instance()->thread());
    EXPECT_FALSE(forDead);
}

} // namespace

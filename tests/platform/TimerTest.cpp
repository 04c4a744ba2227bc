#include "Timer.h"
#include "MainThread.h"
#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <memory>

namespace {

class Target : public QObject
{
public:
    void fired() { ++count; }
    int count = 0;
};

class TimerTest : public ::testing::Test
{
protected:
    void SetUp() override { testApplication(); }
};

TEST_F(TimerTest, FiresOnceAfterItsInterval)
{
    Target target;
    QElapsedTimer clock;
    clock.start();
    QPointer<QTimer> timer = Timer::scheduled(0.05, &target, &Target::fired);
    EXPECT_TRUE(Timer::isPending(timer));

    ASSERT_TRUE(waitUntil([&] { return target.count > 0; }));
    EXPECT_GE(clock.elapsed(), 45);
    EXPECT_FALSE(Timer::isPending(timer));
    spinFor(120);
    EXPECT_EQ(target.count, 1);
    EXPECT_TRUE(timer.isNull()) << "a fired timer cleans itself up";
}

TEST_F(TimerTest, InvalidatedTimerNeverFires)
{
    Target target;
    QPointer<QTimer> timer = Timer::scheduled(0.02, &target, &Target::fired);
    Timer::invalidate(timer);
    EXPECT_TRUE(timer.isNull());
    Timer::invalidate(timer); // twice is harmless

    spinFor(80);
    EXPECT_EQ(target.count, 0);
}

TEST_F(TimerTest, DestroyedTargetTakesItsTimerAlong)
{
    int calls = 0;
    auto target = std::make_unique<QObject>();
    QPointer<QTimer> timer = Timer::scheduled(0.02, target.get(), [&] { ++calls; });
    target.reset();

    EXPECT_TRUE(timer.isNull());
    spinFor(80);
    EXPECT_EQ(calls, 0);
}

TEST_F(TimerTest, ActionMayInvalidateItsOwnHandle)
{
    Target target;
    QPointer<QTimer> timer;
    timer = Timer::scheduled(0.01, &target, [&] {
        ++target.count;
        Timer::invalidate(timer);
    });
    ASSERT_TRUE(waitUntil([&] { return target.count == 1; }));
    spinFor(30);
    EXPECT_TRUE(timer.isNull());
    EXPECT_EQ(target.count, 1);
}

TEST_F(TimerTest, MainThreadWorkIsQueuedEvenFromTheMainThread)
{
    bool ran = false;
    MainThread::post([&] { ran = true; });
    EXPECT_FALSE(ran);
    ASSERT_TRUE(waitUntil([&] { return ran; }));
}

TEST_F(TimerTest, WorkerHandsWorkToTheMainThreadWithoutWaiting)
{
    std::atomic<bool> posted{false};
    QThread *ranOn = nullptr;
    QThread *worker = QThread::create([&] {
        MainThread::post([&] { ranOn = QThread::currentThread(); });
        posted = true;
    });
    worker->start();
    // The main thread runs no events here, so a blocking post would never return.
    ASSERT_TRUE(worker->wait(5000));
    EXPECT_TRUE(posted);
    EXPECT_EQ(ranOn, nullptr);

    ASSERT_TRUE(waitUntil([&] { return ranOn != nullptr; }));
    EXPECT_EQ(ranOn, QCoreApplication::instance()->thread());
    delete worker;
}

TEST_F(TimerTest, WorkForADestroyedContextIsDropped)
{
    bool ran = false;
    auto context = std::make_unique<QObject>();
    MainThread::post(context.get(), [&] { ran = true; });
    context.reset();
    spinFor(30);
    EXPECT_FALSE(ran);
}

} // namespace

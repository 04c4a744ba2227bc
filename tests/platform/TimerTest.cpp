#include "Timer.h"
#include "PlatformTestSupport.h"

#include <limits>

namespace {

struct Target : QObject
{
    void fired() { ++count; }
    int count = 0;
};

TEST(Timer, FiresOnceAfterItsIntervalUnlessInvalidatedOrItsTargetDies)
{
    Target target;
    // Seconds to milliseconds; 2^32 ms and no end at all would wrap to a short wait.
    for (auto [seconds, ms] :
         {std::pair{1.2345, 1235},
          {-1.0, 0},
          {4294967.296, std::numeric_limits<int>::max()},
          {std::numeric_limits<double>::infinity(), std::numeric_limits<int>::max()}}) {
        QPointer<QTimer> timer = Timer::scheduled(seconds, &target, &Target::fired);
        EXPECT_TRUE(timer->isSingleShot() && Timer::isPending(timer));
        EXPECT_EQ(timer->interval(), ms) << seconds;
        Timer::invalidate(timer);
    }
    // Zero-interval timers fire in the order they were started: once the last one has
    // fired, any earlier one that still could would have.
    QStringList fired;
    auto doomed = std::make_unique<QObject>();
    QPointer<QTimer> cancelled = Timer::scheduled(0, &target, [&] { fired << "cancelled"; });
    Timer::scheduled(0, doomed.get(), [&] { fired << "dead"; });
    QPointer<QTimer> once = Timer::scheduled(0, &target, &Target::fired);
    QPointer<QTimer> own;
    own = Timer::scheduled(0, &target, [&] {
        fired << "own";
        Timer::invalidate(own); // from its own action
    });
    QPointer<QTimer> last = Timer::scheduled(0, &target, [&] { fired << "last"; });
    Timer::invalidate(cancelled);
    doomed.reset();
    ASSERT_TRUE(waitUntil([&] { return fired.contains("last"); }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fired, (QStringList{"own", "last"}));
    EXPECT_EQ(target.count, 1);
    EXPECT_TRUE(once.isNull()) << "a fired timer cleans itself up";
}

} // namespace

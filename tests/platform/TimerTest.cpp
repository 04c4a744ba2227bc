#include "Timer.h"
#include "PlatformTestSupport.h"

namespace {

struct Target : QObject
{
    void fired() { ++count; }
    int count = 0;
};

TEST(Timer, FiresOnceAfterItsIntervalUnlessInvalidatedOrItsTargetDies)
{
    Target target;
    // Zero-interval timers fire in the order they were started: once the last one has
    // fired, any earlier one that still could would have.
    QStringList fired;
    auto doomed = std::make_unique<QObject>();
    QPointer<QTimer> cancelled = Timer::scheduled(0, &target, [&] { fired << "cancelled"; });
    Timer::scheduled(0, doomed.get(), [&] { fired << "dead"; });
    Timer::scheduled(0, &target, &Target::fired);
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
}

} // namespace

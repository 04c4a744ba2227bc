#include "NotificationCenter.h"
#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <QThread>

#include <memory>
#include <string>
#include <vector>

namespace {

class Recorder : public QObject
{
public:
    Recorder(std::string tag, std::vector<std::string> *log) : m_tag(std::move(tag)), m_log(log) {}

    void received(const Notification &n)
    {
        m_log->push_back(m_tag + ":" + n.name.toStdString());
        lastSender = n.sender;
        thread = QThread::currentThread();
        if (onReceive)
            onReceive();
    }
    void tapped() { m_log->push_back(m_tag + ":tapped"); }

    QObject *lastSender = nullptr;
    QThread *thread = nullptr;
    std::function<void()> onReceive;

private:
    std::string m_tag;
    std::vector<std::string> *m_log;
};

class NotificationCenterTest : public ::testing::Test
{
protected:
    void SetUp() override { testApplication(); }

    NotificationCenter center;
    std::vector<std::string> log;
    QObject left;
    QObject right;
};

// Which sender is posted, and who must hear "Single Tap" in which order.
struct Delivery
{
    const char *label;
    int sender; // 0 none, 1 left, 2 right, 3 an object nobody filters on
    std::vector<std::string> heard;
};

class NotificationDelivery : public NotificationCenterTest,
                             public ::testing::WithParamInterface<Delivery>
{
};

TEST_P(NotificationDelivery, ReachesMatchingObserversInRegistrationOrder)
{
    Recorder any("any", &log), fromLeft("left", &log), fromRight("right", &log),
        other("other", &log), late("late", &log);
    center.addObserver(&fromLeft, &Recorder::received, "Single Tap", &left);
    center.addObserver(&any, &Recorder::received, "Single Tap");
    center.addObserver(&other, &Recorder::received, "Double Tap");
    center.addObserver(&fromRight, &Recorder::received, "Single Tap", &right);
    center.addObserver(&late, &Recorder::tapped, "Single Tap");
    QObject stranger;
    QObject *senders[] = {nullptr, &left, &right, &stranger};

    center.post("Single Tap", senders[GetParam().sender]);

    EXPECT_EQ(log, GetParam().heard);
}

INSTANTIATE_TEST_SUITE_P(
    Senders, NotificationDelivery,
    ::testing::Values(Delivery{"NoSender", 0, {"any:Single Tap", "late:tapped"}},
                      Delivery{"Left", 1, {"left:Single Tap", "any:Single Tap", "late:tapped"}},
                      Delivery{"Right", 2, {"any:Single Tap", "right:Single Tap", "late:tapped"}},
                      Delivery{"Stranger", 3, {"any:Single Tap", "late:tapped"}}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(NotificationCenterTest, DestroyedObserverIsNeverCalledAgain)
{
    auto doomed = std::make_unique<Recorder>("doomed", &log);
    Recorder survivor("survivor", &log);
    center.addObserver(doomed.get(), &Recorder::received, "Swipe Left");
    center.addObserver(&survivor, &Recorder::received, "Swipe Left");
    doomed.reset();

    center.post("Swipe Left");

    EXPECT_EQ(log, std::vector<std::string>{"survivor:Swipe Left"});
    EXPECT_EQ(center.observerCount(), 1);
}

TEST_F(NotificationCenterTest, ObserverDestroyedByAnEarlierOneDuringAPostIsSkipped)
{
    Recorder first("first", &log);
    auto second = new Recorder("second", &log);
    center.addObserver(&first, &Recorder::received, "Double Tap");
    center.addObserver(second, &Recorder::received, "Double Tap");
    first.onReceive = [&] { delete second; };

    center.post("Double Tap");

    EXPECT_EQ(log, std::vector<std::string>{"first:Double Tap"});
    EXPECT_EQ(center.observerCount(), 1);
}

TEST_F(NotificationCenterTest, ObserverMayRemoveItselfOrAddOthersWhileCalled)
{
    Recorder once("once", &log), added("added", &log);
    center.addObserver(&once, &Recorder::received, "Single Tap");
    once.onReceive = [&] {
        center.removeObserver(&once);
        center.addObserver(&added, &Recorder::received, "Single Tap");
    };

    center.post("Single Tap");
    center.post("Single Tap");

    // The observer added during the first post hears only the second one.
    EXPECT_EQ(log, (std::vector<std::string>{"once:Single Tap", "added:Single Tap"}));
}

TEST_F(NotificationCenterTest, DestroyedSenderFilterDropsTheRegistration)
{
    Recorder observer("o", &log);
    auto sender = std::make_unique<QObject>();
    center.addObserver(&observer, &Recorder::received, "Swipe Right", sender.get());
    EXPECT_EQ(center.observerCount(), 1);
    sender.reset();

    // A dead filter must not turn into "any sender".
    center.post("Swipe Right");
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(center.observerCount(), 0);
}

TEST_F(NotificationCenterTest, RemovingOneNameKeepsTheOthers)
{
    Recorder observer("o", &log);
    center.addObserver(&observer, &Recorder::received, "Hover Shown");
    center.addObserver(&observer, &Recorder::received, "Hover Hidden");
    center.removeObserver(&observer, "Hover Shown");

    center.post("Hover Shown");
    center.post("Hover Hidden");

    EXPECT_EQ(log, std::vector<std::string>{"o:Hover Hidden"});
}

TEST_F(NotificationCenterTest, PostFromAWorkerIsDeliveredOnTheMainThread)
{
    Recorder observer("o", &log);
    center.addObserver(&observer, &Recorder::received, "Single Tap", &left);
    QThread *worker = QThread::create([&] { center.post("Single Tap", &left); });
    worker->start();
    worker->wait();
    EXPECT_TRUE(log.empty()) << "delivery must not happen on the worker";

    ASSERT_TRUE(waitUntil([&] { return !log.empty(); }));
    EXPECT_EQ(observer.thread, QCoreApplication::instance()->thread());
    EXPECT_EQ(observer.lastSender, &left);
    delete worker;
}

TEST(NotificationCenterDefault, IsOneProcessWideCentre)
{
    EXPECT_EQ(&NotificationCenter::defaultCenter(), &NotificationCenter::defaultCenter());
}

} // namespace

#include "NotificationCenter.h"
#include "PlatformTestSupport.h"

namespace {

class Recorder : public QObject
{
public:
    Recorder(QString tag, QStringList *log) : tag(tag), log(log) {}
    void received(const Notification &n)
    {
        *log << tag + ":" + n.name;
        if (onReceive)
            onReceive();
    }
    void tapped() { *log << tag + ":tapped"; }

    QString tag;
    QStringList *log;
    std::function<void()> onReceive;
};

class NotificationCenterTest : public ::testing::Test
{
protected:
    NotificationCenter center;
    QStringList log;
};

TEST_F(NotificationCenterTest, ReachesMatchingObserversInRegistrationOrder)
{
    QObject left, right, stranger; // nobody filters on the stranger
    Recorder any("any", &log), fromLeft("left", &log), fromRight("right", &log),
        other("other", &log), late("late", &log);
    center.addObserver(&fromLeft, &Recorder::received, "Tap", &left);
    center.addObserver(&any, &Recorder::received, "Tap");
    center.addObserver(&other, &Recorder::received, "Double Tap");
    center.addObserver(&fromRight, &Recorder::received, "Tap", &right);
    center.addObserver(&late, &Recorder::tapped, "Tap");
    for (QObject *sender : {static_cast<QObject *>(nullptr), &left, &right, &stranger}) {
        center.post("Tap", sender);
        log << "|";
    }
    EXPECT_EQ(log.join(' '), "any:Tap late:tapped | left:Tap any:Tap late:tapped | "
                             "any:Tap right:Tap late:tapped | any:Tap late:tapped |");
}

TEST_F(NotificationCenterTest, RegistrationsThatGoAwayAreNeverCalled)
{
    auto doomed = std::make_unique<Recorder>("doomed", &log);
    auto second = new Recorder("second", &log);
    Recorder first("first", &log), filtered("filtered", &log), named("named", &log),
        added("added", &log);
    auto sender = std::make_unique<QObject>();
    center.addObserver(doomed.get(), &Recorder::received, "Swipe");
    center.addObserver(&first, &Recorder::received, "Swipe");
    center.addObserver(second, &Recorder::received, "Swipe");
    // A dead filter must not turn into "any sender".
    center.addObserver(&filtered, &Recorder::received, "Swipe", sender.get());
    center.addObserver(&named, &Recorder::received, "Shown");
    center.addObserver(&named, &Recorder::received, "Swipe");
    center.removeObserver(&named, "Shown");
    first.onReceive = [&] { // while the post walks the list
        delete second;
        center.removeObserver(&first);
        center.addObserver(&added, &Recorder::received, "Swipe"); // hears the next post only
    };
    doomed.reset();
    sender.reset();
    for (const char *name : {"Swipe", "Shown", "Swipe"})
        center.post(name);
    EXPECT_EQ(log, (QStringList{"first:Swipe", "named:Swipe", "named:Swipe", "added:Swipe"}));
    EXPECT_EQ(center.observerCount(), 2);
}

// The centre made on the main thread (false), or first made by a worker (true).
using NotificationCenterFromWorker = WithParam<NotificationCenterTest, bool>;

TEST_P(NotificationCenterFromWorker, PostIsDeliveredOnTheMainThread)
{
    std::unique_ptr<NotificationCenter> madeOnWorker;
    if (GetParam()) {
        std::unique_ptr<QThread> maker(
            QThread::create([&] { madeOnWorker = std::make_unique<NotificationCenter>(); }));
        maker->start();
        maker->wait();
    }
    NotificationCenter &centre = GetParam() ? *madeOnWorker : center;
    QObject sender; // filtered on: the sender must come through the queue
    QThread *deliveredOn = nullptr;
    Recorder observer("o", &log);
    observer.onReceive = [&] { deliveredOn = QThread::currentThread(); };
    centre.addObserver(&observer, &Recorder::received, "Tap", &sender);
    std::unique_ptr<QThread> worker(QThread::create([&] { centre.post("Tap", &sender); }));
    worker->start();
    worker->wait();
    EXPECT_TRUE(log.empty()) << "delivery must not happen on the worker";
    ASSERT_TRUE(waitUntil([&] { return !log.empty(); }, 2000));
    EXPECT_EQ(deliveredOn, QCoreApplication::instance()->thread());
}

INSTANTIATE_TEST_SUITE_P(MadeOn, NotificationCenterFromWorker, ::testing::Bool());

} // namespace

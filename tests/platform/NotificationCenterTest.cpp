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
    // Runs `work` on a worker thread, then delivers what it queued here, once `between`
    // has run: no waiting on time.
    void fromWorker(std::function<void()> work, std::function<void()> between = {})
    {
        std::unique_ptr<QThread> worker(QThread::create(std::move(work)));
        worker->start();
        worker->wait();
        EXPECT_TRUE(log.empty()) << "delivery must not happen on the worker";
        if (between)
            between();
        QCoreApplication::sendPostedEvents();
    }

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
    Recorder first("first", &log), named("named", &log), added("added", &log),
        filtered("filtered", &log);
    QObject sender;
    center.addObserver(doomed.get(), &Recorder::received, "Swipe");
    center.addObserver(&first, &Recorder::received, "Swipe");
    center.addObserver(second, &Recorder::received, "Swipe");
    center.addObserver(&named, &Recorder::received, "Shown");
    center.addObserver(&named, &Recorder::received, "Shown", &sender); // filters go too
    center.addObserver(&named, &Recorder::received, "Swipe");
    center.addObserver(&filtered, &Recorder::received, "Swipe", &sender);
    center.removeObserver(&named, "Shown");
    center.removeObserver(&filtered, "Swipe", &first); // another filter: stays
    first.onReceive = [&] {                            // while the post walks the list
        delete second;
        center.removeObserver(&first);
        center.addObserver(&added, &Recorder::received, "Swipe"); // hears the next post only
    };
    doomed.reset();
    for (const char *name : {"Swipe", "Shown", "Swipe"})
        center.post(name, &sender);
    EXPECT_EQ(log, (QStringList{"first:Swipe", "named:Swipe", "filtered:Swipe", "named:Swipe",
                                "filtered:Swipe", "added:Swipe"}));
    EXPECT_EQ(center.observerCount(), 3);
}

TEST_F(NotificationCenterTest, ASenderThatDiesOnTheWayReachesNoFilter)
{
    // Dies while a post without a sender walks the list: its filter must not become "any".
    auto sender = std::make_unique<QObject>();
    Recorder killer("killer", &log), filtered("filtered", &log);
    killer.onReceive = [&] { sender.reset(); };
    center.addObserver(&killer, &Recorder::received, "Tap");
    center.addObserver(&filtered, &Recorder::received, "Tap", sender.get());
    center.post("Tap");
    EXPECT_EQ(log, QStringList{"killer:Tap"});
}

// The centre made on the main thread (false), or first made by a worker (true).
using NotificationCenterFromWorker = WithParam<NotificationCenterTest, bool>;

TEST_P(NotificationCenterFromWorker, PostsAreDeliveredOnTheMainThread)
{
    std::unique_ptr<NotificationCenter> madeOnWorker;
    if (GetParam()) {
        std::unique_ptr<QThread> maker(
            QThread::create([&] { madeOnWorker = std::make_unique<NotificationCenter>(); }));
        maker->start();
        maker->wait();
    }
    NotificationCenter &centre = GetParam() ? *madeOnWorker : center;
    auto sender = std::make_unique<QObject>(); // filtered on: it must come through the queue
    QThread *deliveredOn = nullptr;
    Recorder fromSender("sender", &log), any("any", &log);
    fromSender.onReceive = [&] { deliveredOn = QThread::currentThread(); };
    centre.addObserver(&fromSender, &Recorder::received, "Tap", sender.get());
    centre.addObserver(&any, &Recorder::received, "Swipe");
    fromWorker([&] {
        centre.post("Tap", sender.get());
        centre.post("Swipe");
    });
    EXPECT_EQ(log, (QStringList{"sender:Tap", "any:Swipe"}));
    EXPECT_EQ(deliveredOn, QCoreApplication::instance()->thread());
    // A sender that dies before its queued post arrives posts nothing.
    log.clear();
    centre.addObserver(&any, &Recorder::received, "Tap");
    fromWorker([&] { centre.post("Tap", sender.get()); }, [&] { sender.reset(); });
    EXPECT_TRUE(log.empty()) << log.join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(MadeOn, NotificationCenterFromWorker, ::testing::Bool());

} // namespace

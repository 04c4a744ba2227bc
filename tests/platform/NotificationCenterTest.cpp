#include "NotificationCenter.h"
#include "PlatformTestSupport.h"

namespace {

QStringList heard;

// Writes "tag:name" for each post it hears, then runs `onReceive`.
struct Recorder : QObject
{
    explicit Recorder(QString tag) : tag(std::move(tag)) {}
    void received(const Notification &n)
    {
        heard << tag + ":" + n.name;
        if (onReceive)
            onReceive();
    }
    QString tag;
    std::function<void()> onReceive;
};

// Posts reach the matching live observers in registration order; registrations that go
// away, before a post or while it walks the list, are never called.
TEST(NotificationCenter, ReachesMatchingLiveObserversInOrderAndNeverOnesThatWentAway)
{
    NotificationCenter center;
    {
        QObject left, right, stranger; // nobody filters on the stranger
        auto dying = std::make_unique<QObject>();
        Recorder any("any"), fromLeft("left"), fromRight("right"), other("other"),
            fromDying("dying");
        center.addObserver(&fromLeft, &Recorder::received, "Tap", &left);
        center.addObserver(&any, &Recorder::received, "Tap");
        center.addObserver(&other, &Recorder::received, "Double Tap");
        center.addObserver(&fromRight, &Recorder::received, "Tap", &right);
        center.addObserver(&fromDying, &Recorder::received, "Tap", dying.get());
        // Dies while a post without a sender walks the list: its filter must not become "any".
        any.onReceive = [&] { dying.reset(); };
        for (QObject *sender : {static_cast<QObject *>(nullptr), &left, &right, &stranger}) {
            center.post("Tap", sender);
            heard << "|";
        }
        EXPECT_EQ(heard.join(' '), "any:Tap | left:Tap any:Tap | any:Tap right:Tap | any:Tap |");
    } // these observers go, and their registrations with them
    heard.clear();
    auto doomed = std::make_unique<Recorder>("doomed");
    auto second = new Recorder("second");
    Recorder first("first"), named("named"), added("added"), filtered("filtered");
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
    EXPECT_EQ(heard, (QStringList{"first:Swipe", "named:Swipe", "filtered:Swipe", "named:Swipe",
                                  "filtered:Swipe", "added:Swipe"}));
    EXPECT_EQ(center.observerCount(), 3);
}

// No screen posts from a worker yet; a post from one is delivered on the main thread, and
// not at all once its sender has died on the way.
TEST(NotificationCenter, PostsFromWorkersReachTheMainThreadWhileTheirSenderLives)
{
    NotificationCenter center;
    heard.clear();
    auto sender = std::make_unique<QObject>();
    Recorder fromSender("sender"), any("any");
    center.addObserver(&fromSender, &Recorder::received, "Tap", sender.get());
    center.addObserver(&any, &Recorder::received, "Tap");
    for (bool dies : {false, true}) {
        std::unique_ptr<QThread> worker(QThread::create([&] { center.post("Tap", sender.get()); }));
        worker->start();
        // Nothing runs the main thread's events meanwhile: a blocking post would never return.
        ASSERT_TRUE(worker->wait(5000));
        EXPECT_TRUE(heard.empty()) << "delivery must not happen on the worker";
        if (dies)
            sender.reset();
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(heard, dies ? QStringList() : QStringList({"sender:Tap", "any:Tap"}));
        heard.clear();
    }
}

} // namespace

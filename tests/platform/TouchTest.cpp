#include "Touch.h"
#include "PlatformTestSupport.h"
#include "ViewController.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <vector>

namespace {

struct Seen
{
    Touch::Phase phase;
    int taps;
    QWidget *view;
    bool operator==(const Seen &o) const
    {
        return phase == o.phase && taps == o.taps && view == o.view;
    }
};

void PrintTo(const Seen &seen, std::ostream *out)
{
    *out << "{phase " << int(seen.phase) << ", taps " << seen.taps << ", view " << seen.view << "}";
}

const auto began = [](int taps, QWidget *v) { return Seen{Touch::Phase::Began, taps, v}; };
const auto moved = [](int taps, QWidget *v) { return Seen{Touch::Phase::Moved, taps, v}; };
const auto ended = [](int taps, QWidget *v) { return Seen{Touch::Phase::Ended, taps, v}; };

// Records the touches its mouse handlers see and passes them on unless told to consume them.
class Recorder : public QWidget
{
public:
    explicit Recorder(QWidget *parent = nullptr, bool consumes = false)
        : QWidget(parent), m_consumes(consumes)
    {
    }
    std::vector<Seen> seen;

protected:
    void mousePressEvent(QMouseEvent *event) override { record(event); }
    void mouseDoubleClickEvent(QMouseEvent *event) override { record(event); }
    void mouseMoveEvent(QMouseEvent *event) override { record(event); }
    void mouseReleaseEvent(QMouseEvent *event) override { record(event); }

private:
    void record(QMouseEvent *event)
    {
        const Touch touch = Touch::fromMouseEvent(event, this);
        seen.push_back({touch.phase(), touch.tapCount(), touch.view()});
        event->setAccepted(m_consumes);
    }
    bool m_consumes;
};

class Screen : public ViewController
{
public:
    std::vector<Seen> seen;
    QPushButton *button = nullptr;
    QWidget *plain = nullptr;
    int loads = 0, didLoads = 0;

    void touchesBegan(const Touch &touch) override { record(touch); }
    void touchesMoved(const Touch &touch) override { record(touch); }
    void touchesEnded(const Touch &touch) override { record(touch); }

protected:
    void loadView() override
    {
        ++loads;
        auto *root = new QWidget;
        plain = new QWidget(root);
        plain->setGeometry(0, 0, 100, 100);
        button = new QPushButton("Go", root);
        button->setGeometry(100, 0, 100, 100);
        setView(root);
    }
    void viewDidLoad() override { didLoads += loads; }

private:
    void record(const Touch &touch)
    {
        seen.push_back({touch.phase(), touch.tapCount(), touch.view()});
    }
};

// A window shown offscreen; mouse input goes through the window as the platform sends it.
class TouchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Touch::install();
        window = std::make_unique<Recorder>();
        window->setGeometry(0, 0, 300, 200);
        leaf = new Recorder(window.get());
        leaf->setGeometry(10, 10, 50, 50);
        sibling = new Recorder(window.get());
        sibling->setGeometry(100, 10, 50, 50);
    }
    void show()
    {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QWindow *handle() { return window->windowHandle(); }

    std::unique_ptr<Recorder> window;
    Recorder *leaf = nullptr;
    Recorder *sibling = nullptr;
};

TEST_F(TouchTest, ADoubleClickBeginsASecondTouchWithTwoTapsAndItsReleaseKeepsThem)
{
    show();
    QTest::mouseDClick(handle(), Qt::LeftButton, {}, QPoint(20, 20));
    // Qt turns the second press into a double-click.
    EXPECT_EQ(leaf->seen,
              (std::vector<Seen>{began(1, leaf), ended(1, leaf), began(2, leaf), ended(2, leaf)}));
    leaf->seen.clear();
    QTest::mouseClick(handle(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(leaf->seen, (std::vector<Seen>{began(1, leaf), ended(1, leaf)}))
        << "a later single tap counts one again";
}

TEST_F(TouchTest, APassedOnTouchStaysWithTheViewItBeganOnWhereverItEnds)
{
    show();
    QTest::mousePress(handle(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(handle(), QPoint(120, 20)); // over the sibling
    QTest::mouseRelease(handle(), Qt::LeftButton, {}, QPoint(120, 20));
    EXPECT_EQ(window->seen, (std::vector<Seen>{began(1, leaf), moved(1, leaf), ended(1, leaf)}));
    EXPECT_TRUE(sibling->seen.empty());
}

TEST_F(TouchTest, ATouchOnAViewThatLetsTouchesThroughBelongsToTheViewUnderIt)
{
    auto *glass = new Recorder(leaf);
    glass->setGeometry(0, 0, 50, 50);
    glass->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto *hidden = new Recorder(leaf);
    hidden->setGeometry(0, 0, 50, 50);
    hidden->hide();
    show();
    QTest::mouseClick(handle(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(leaf->seen, (std::vector<Seen>{began(1, leaf), ended(1, leaf)}));

    // Sent straight to the transparent view, the touch still belongs to the view under it.
    leaf->seen.clear();
    QTest::mouseClick(glass, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(glass->seen.size(), 2u);
    EXPECT_EQ(glass->seen[0], began(1, leaf));
    EXPECT_EQ(glass->seen[1], ended(1, leaf));
}

TEST(ViewController, LoadsItsViewOnceOnFirstUse)
{
    Screen screen;
    EXPECT_FALSE(screen.isViewLoaded());
    QWidget *view = screen.view();
    EXPECT_EQ(screen.view(), view);
    EXPECT_EQ(screen.loads, 1);
    EXPECT_EQ(screen.didLoads, 1) << "viewDidLoad runs after loadView";
    ViewController plain;
    EXPECT_NE(plain.view(), nullptr) << "the default root view is an empty widget";
}

TEST(ViewController, HearsTouchesNoViewConsumedAndPassesThemOn)
{
    Recorder window;
    Screen screen;
    screen.view()->setParent(&window);
    screen.view()->setGeometry(0, 0, 200, 100);
    window.resize(200, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    int clicks = 0;
    QObject::connect(screen.button, &QPushButton::clicked, [&] { ++clicks; });

    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(50, 50));
    const std::vector<Seen> tapped{began(1, screen.plain), ended(1, screen.plain),
                                   began(2, screen.plain), ended(2, screen.plain)};
    EXPECT_EQ(screen.seen, tapped);
    EXPECT_EQ(window.seen, tapped) << "the controller does not stop the touch";

    screen.seen.clear();
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(150, 50));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(screen.seen.empty()) << "the button consumed the touch";

    screen.view()->setEnabled(false);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_TRUE(screen.seen.empty()) << "a disabled root view takes no touches";
}

class ButtonScreen : public Screen
{
protected:
    void loadView() override { setView(new QPushButton("All of it")); }
};

TEST(ViewController, ARootViewThatConsumesATouchKeepsItFromTheController)
{
    ButtonScreen screen;
    screen.view()->resize(100, 100);
    screen.view()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.view()));
    QTest::mouseClick(screen.view()->windowHandle(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_TRUE(screen.seen.empty());
}

TEST(ViewController, OwnsItsRootViewUnlessAParentDeletedItFirst)
{
    auto screen = std::make_unique<Screen>();
    QPointer<QWidget> view = screen->view();
    screen.reset();
    EXPECT_TRUE(view.isNull());

    screen = std::make_unique<Screen>();
    auto parent = std::make_unique<QWidget>();
    view = screen->view();
    view->setParent(parent.get());
    screen.reset();
    EXPECT_TRUE(view.isNull()) << "a dead screen leaves nothing on show";

    screen = std::make_unique<Screen>();
    screen->view()->setParent(parent.get());
    parent.reset();
    EXPECT_FALSE(screen->isViewLoaded());
    screen.reset(); // nothing left to delete twice
}

TEST(ViewController, IsLandscapeOnlyWhileItsViewIsWiderThanTall)
{
    Screen screen;
    EXPECT_EQ(screen.interfaceOrientation(), ViewController::Portrait) << "not loaded";
    screen.view()->resize(481, 480);
    EXPECT_EQ(screen.interfaceOrientation(), ViewController::LandscapeRight);
    screen.view()->resize(480, 480);
    EXPECT_EQ(screen.interfaceOrientation(), ViewController::Portrait);
}

} // namespace

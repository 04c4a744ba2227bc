#include "Touch.h"
#include "PlatformTestSupport.h"
#include "ViewController.h"

#include <QMouseEvent>
#include <QPushButton>

#include <memory>
#include <tuple>
#include <vector>

namespace {

using Seen = std::tuple<Touch::Phase, int, QWidget *>; // phase, taps, view
using Log = std::vector<Seen>;

Seen began(int taps, QWidget *v)
{
    return {Touch::Phase::Began, taps, v};
}
Seen moved(int taps, QWidget *v)
{
    return {Touch::Phase::Moved, taps, v};
}
Seen ended(int taps, QWidget *v)
{
    return {Touch::Phase::Ended, taps, v};
}
Seen of(const Touch &touch)
{
    return {touch.phase(), touch.tapCount(), touch.view()};
}

// Records the touches its mouse handlers see and passes them on.
class Recorder : public QWidget
{
public:
    using QWidget::QWidget;
    Log seen;

protected:
    void mousePressEvent(QMouseEvent *event) override { record(event); }
    void mouseDoubleClickEvent(QMouseEvent *event) override { record(event); }
    void mouseMoveEvent(QMouseEvent *event) override { record(event); }
    void mouseReleaseEvent(QMouseEvent *event) override { record(event); }

private:
    void record(QMouseEvent *event)
    {
        seen.push_back(of(Touch::fromMouseEvent(event, this)));
        event->ignore();
    }
};

// A plain view on the left, a button on the right; the whole view a button when `wholeButton`.
class Screen : public ViewController
{
public:
    explicit Screen(bool wholeButton = false) : m_wholeButton(wholeButton) {}
    Log seen;
    QPushButton *button = nullptr;
    QWidget *plain = nullptr;
    int loads = 0, didLoads = 0;

    void touchesBegan(const Touch &touch) override { seen.push_back(of(touch)); }
    void touchesMoved(const Touch &touch) override { seen.push_back(of(touch)); }
    void touchesEnded(const Touch &touch) override { seen.push_back(of(touch)); }

protected:
    void loadView() override
    {
        ++loads;
        auto *root = m_wholeButton ? new QPushButton("All of it") : new QWidget;
        plain = new QWidget(root);
        plain->setGeometry(0, 0, 100, 100);
        button = new QPushButton("Go", root);
        button->setGeometry(100, 0, 100, 100);
        setView(root);
    }
    void viewDidLoad() override { didLoads += loads; }

private:
    bool m_wholeButton;
};

class TouchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Touch::install();
        window.setGeometry(0, 0, 300, 200);
        leaf->setGeometry(10, 10, 50, 50);
        sibling->setGeometry(100, 10, 50, 50);
    }

    Recorder window;
    Recorder *leaf = new Recorder(&window);
    Recorder *sibling = new Recorder(&window);
};

TEST_F(TouchTest, ADoubleClickBeginsASecondTouchWithTwoTapsAndItsReleaseKeepsThem)
{
    showExposed(&window);
    clickAt(&window, {20, 20}, true); // Qt turns the second press into a double-click
    EXPECT_EQ(leaf->seen, (Log{began(1, leaf), ended(1, leaf), began(2, leaf), ended(2, leaf)}));
    leaf->seen.clear();
    clickAt(&window, {20, 20});
    EXPECT_EQ(leaf->seen, (Log{began(1, leaf), ended(1, leaf)})) << "a later tap counts one";
}

TEST_F(TouchTest, APassedOnTouchStaysWithTheViewItBeganOnWhereverItEnds)
{
    showExposed(&window);
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(window.windowHandle(), QPoint(120, 20)); // over the sibling
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, QPoint(120, 20));
    EXPECT_EQ(window.seen, (Log{began(1, leaf), moved(1, leaf), ended(1, leaf)}));
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
    showExposed(&window);
    clickAt(&window, {20, 20});
    EXPECT_EQ(leaf->seen, (Log{began(1, leaf), ended(1, leaf)}));
    // Sent straight to the transparent view, the touch still belongs to the view under it.
    QTest::mouseClick(glass, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(glass->seen, (Log{began(1, leaf), ended(1, leaf)}));
}

TEST(ViewController, LoadsItsViewOnceAndHearsTouchesNoViewConsumed)
{
    Recorder window;
    Screen screen;
    EXPECT_FALSE(screen.isViewLoaded());
    screen.view()->setParent(&window);
    EXPECT_EQ(screen.loads, 1);
    EXPECT_EQ(screen.didLoads, 1) << "viewDidLoad runs after loadView";
    screen.view()->setGeometry(0, 0, 200, 100);
    window.resize(200, 100);
    showExposed(&window);
    int clicks = 0;
    QObject::connect(screen.button, &QPushButton::clicked, [&] { ++clicks; });

    clickAt(&window, {50, 50}, true);
    const Log tapped{began(1, screen.plain), ended(1, screen.plain), began(2, screen.plain),
                     ended(2, screen.plain)};
    EXPECT_EQ(screen.seen, tapped);
    EXPECT_EQ(window.seen, tapped) << "the controller does not stop the touch";

    screen.seen.clear();
    clickAt(&window, {150, 50});
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(screen.seen.empty()) << "the button consumed the touch";
    screen.view()->setEnabled(false);
    clickAt(&window, {50, 50});
    EXPECT_TRUE(screen.seen.empty()) << "a disabled root view takes no touches";

    Screen button(true);
    button.view()->resize(100, 100);
    showExposed(button.view());
    clickAt(button.view(), {50, 50});
    EXPECT_TRUE(button.seen.empty()) << "a root view that consumes the touch keeps it";
}

TEST(ViewController, OwnsItsRootViewUnlessAParentDeletedItFirst)
{
    auto screen = std::make_unique<Screen>();
    auto parent = std::make_unique<QWidget>();
    QPointer<QWidget> view = screen->view();
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

#include "Touch.h"
#include "PlatformTestSupport.h"
#include "ViewController.h"

#include <QMouseEvent>
#include <QPushButton>

#include <memory>

namespace {

// "began 2 plain": the phase, the taps and the name of the touch's view.
QString of(const Touch &touch)
{
    const char *const phases[] = {"began", "moved", "ended"};
    return QStringLiteral("%1 %2 %3")
        .arg(phases[int(touch.phase())])
        .arg(touch.tapCount())
        .arg(touch.view() ? touch.view()->objectName() : QString());
}

// Records the touches it sees and passes them on.
struct Recorder : QWidget
{
    Recorder(const char *name, QWidget *parent = nullptr) : QWidget(parent) { setObjectName(name); }
    bool event(QEvent *event) override
    {
        if (auto *mouse = dynamic_cast<QMouseEvent *>(event))
            seen << of(Touch::fromMouseEvent(mouse, this));
        return QWidget::event(event);
    }
    QStringList seen;
};

const QStringList tapped{"began 1 plain", "ended 1 plain"},
    doubleTapped{"began 1 plain", "ended 1 plain", "began 2 plain", "ended 2 plain"};

// A plain view with a see-through and a hidden one over it, and a button to its right.
class Screen : public ViewController
{
public:
    QStringList seen;
    Recorder *plain = nullptr, *glass = nullptr;
    QPushButton *button = nullptr;

    void touchesBegan(const Touch &touch) override { seen << of(touch); }
    void touchesMoved(const Touch &touch) override { seen << of(touch); }
    void touchesEnded(const Touch &touch) override { seen << of(touch); }

protected:
    void loadView() override
    {
        auto *root = new QWidget;
        plain = new Recorder("plain", root);
        plain->setGeometry(0, 0, 100, 100);
        glass = new Recorder("glass", plain);
        glass->setGeometry(0, 0, 50, 50);
        glass->setAttribute(Qt::WA_TransparentForMouseEvents);
        auto *hidden = new Recorder("hidden", plain);
        hidden->setGeometry(0, 0, 50, 50);
        hidden->hide();
        button = new QPushButton("Go", root);
        button->setGeometry(100, 0, 100, 100);
        setView(root);
    }
};

TEST(Touch, BelongsToTheTouchableViewItBeganOnAndReachesTheScreenIfNoViewConsumedIt)
{
    Recorder window("window");
    auto screen = std::make_unique<Screen>();
    EXPECT_FALSE(screen->isViewLoaded());
    screen->view()->setParent(&window);
    screen->view()->setGeometry(0, 0, 200, 100);
    window.resize(200, 100);
    showExposed(&window);
    int clicks = 0;
    QObject::connect(screen->button, &QPushButton::clicked, [&] { ++clicks; });
    QStringList &seen = screen->seen;
    clickAt(&window, {20, 20}, true); // Qt turns the second press into a double-click
    EXPECT_EQ((QList{screen->plain->seen, seen, window.seen}), QList<QStringList>(3, doubleTapped))
        << "the controller does not stop the touch";
    seen.clear();
    clickAt(&window, {20, 20}); // a later tap counts one
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(window.windowHandle(), QPoint(150, 20)); // over the button
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, QPoint(150, 20));
    EXPECT_EQ(seen, tapped + QStringList({"began 1 plain", "moved 1 plain", "ended 1 plain"}));
    // Sent straight to the see-through view, the touch still belongs to the view under it.
    QTest::mouseClick(screen->glass, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(screen->glass->seen, tapped);
    // Sent straight to a view under another, it stays with that view: the parents Qt hands the
    // press on to do not start the touch again where the other view lies.
    auto *cover = new Recorder("cover", screen->view());
    cover->setGeometry(60, 60, 40, 40);
    cover->show();
    seen.clear();
    QTest::mouseClick(screen->plain, Qt::LeftButton, {}, QPoint(70, 70));
    EXPECT_EQ(seen, tapped);
    delete cover;
    seen.clear();
    clickAt(&window, {150, 50});
    screen->view()->setEnabled(false);
    clickAt(&window, {50, 50});
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(seen.empty()) << "the button consumed its touch; a disabled root view takes none";
    QPointer<QWidget> root = screen->view();
    screen.reset();
    EXPECT_TRUE(root.isNull()) << "a dead screen leaves nothing on show";
}

} // namespace

#include "NavigationStack.h"
#include "NavigationBar.h"
#include "PlatformTestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QPropertyAnimation>
#include <QWidgetAction>

#include <memory>

namespace {

QStringList heard;

// A screen that writes down every hook it hears, as "name hook argument".
class Screen : public ViewController
{
public:
    explicit Screen(const QString &name, bool turns = true) : m_turns(turns) { setTitle(name); }
    void viewWillAppear(bool animated) override
    {
        note("willAppear", animated);
        if (barStyle >= 0 && navigationController())
            navigationController()->navigationBar()->setBarStyle(barStyle);
    }
    void viewDidAppear(bool animated) override { note("didAppear", animated); }
    void viewWillDisappear(bool animated) override { note("willDisappear", animated); }
    void viewDidDisappear(bool animated) override { note("didDisappear", animated); }
    bool shouldAutorotateToInterfaceOrientation(int to) override { return note("should", to); }
    void willRotateToInterfaceOrientation(int to, double) override { note("willRotate", to); }
    void willAnimateFirstHalfOfRotationToInterfaceOrientation(int to, double) override
    {
        note("firstHalf", to);
    }
    void willAnimateSecondHalfOfRotationFromInterfaceOrientation(int from, double) override
    {
        note("secondHalf", from);
    }
    void didRotateFromInterfaceOrientation(int from) override { note("didRotate", from); }

    int barStyle = -1; // set on the stack's bar as the screen comes, when given

private:
    bool note(const char *hook, int value)
    {
        heard << QStringLiteral("%1 %2 %3").arg(title()).arg(hook).arg(value);
        return m_turns;
    }
    bool m_turns;
};

// The hooks, in order, as `in` replaces `out` on screen.
QString swapped(const QString &in, const QString &out, bool animated)
{
    return QStringLiteral("%1 willAppear %3,%2 willDisappear %3,%1 didAppear %3,%2 didDisappear %3")
        .arg(in, out)
        .arg(int(animated));
}

class NavigationStackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        stack->view()->resize(320, 480);
        showExposed(stack->view());
        heard.clear();
    }
    // Where `screen`'s view lies in the stack's view.
    QRect placeOf(ViewController *screen)
    {
        QWidget *view = screen->view();
        return QRect(view->mapTo(stack->view(), QPoint(0, 0)), view->size());
    }
    NavigationBar *bar() { return stack->navigationBar(); }
    // How far the bar on screen has changed since `before`, as the largest difference in any
    // channel; a picture redrawn over the same ground differs by a level or two.
    QImage barShown() { return stack->view()->grab(bar()->geometry()).toImage(); }
    int barChangedSince(const QImage &before)
    {
        const QImage x = barShown().convertToFormat(QImage::Format_RGBX8888),
                     y = before.convertToFormat(QImage::Format_RGBX8888);
        int most = 0;
        for (qsizetype i = 0; i < x.sizeInBytes(); ++i)
            most = std::max(most, std::abs(x.constBits()[i] - y.constBits()[i]));
        return most;
    }
    // How the running slide moves `screen`, as "from > to, ms, curve"; empty when it stays.
    std::string slideOf(ViewController *screen)
    {
        for (auto *slide : stack->findChildren<QPropertyAnimation *>())
            if (slide->targetObject() == screen->view() && slide->propertyName() == "pos" &&
                slide->state() == QAbstractAnimation::Running) {
                const QPoint from = slide->startValue().toPoint(), to = slide->endValue().toPoint();
                return QString::asprintf("%d,%d > %d,%d, %d, %d", from.x(), from.y(), to.x(),
                                         to.y(), slide->duration(), slide->easingCurve().type())
                    .toStdString();
            }
        return {};
    }

    std::unique_ptr<Screen> menu = std::make_unique<Screen>("menu"),
                            editor = std::make_unique<Screen>("editor");
    std::unique_ptr<NavigationStack> stack = std::make_unique<NavigationStack>(menu.get());
};

using Animated = WithParam<NavigationStackTest, bool>;

// A push slides the new screen in from the right over the old one going left, a pop the
// other way; a modal screen comes up from the bottom and goes back down. All take 0.3 s on
// an in-out cubic curve; without animation nothing moves. The editor's translucent bar moves
// the content up as it comes, yet the old screen slides out from where it lay, and the old
// bar stays on show until the slide ends.
TEST_P(Animated, PushPopPresentAndDismissSlideTellBothScreensInOrderAndSettleTheStack)
{
    const bool animated = GetParam();
    menu->barStyle = NavigationBar::Default;
    editor->barStyle = NavigationBar::BlackTranslucent;
    QImage barBefore;
    const auto expectSlides = [&](const char *editorSlide, const char *menuSlide) {
        EXPECT_EQ(slideOf(editor.get()), animated ? editorSlide : "");
        EXPECT_EQ(slideOf(menu.get()), animated ? menuSlide : "");
    };
    for (bool modal : {false, true}) {
        heard.clear();
        if (modal) {
            stack->presentModalViewController(editor.get(), animated);
            expectSlides("0,480 > 0,0, 300, 7", "");
        } else {
            barBefore = barShown();
            stack->pushViewController(editor.get(), animated);
            expectSlides("320,0 > 0,0, 300, 7", "0,44 > -320,44, 300, 7");
            EXPECT_EQ(barChangedSince(barBefore) <= 4, animated);
        }
        EXPECT_EQ(editor->parentViewController(), stack.get());
        EXPECT_EQ(editor->navigationController(), modal ? nullptr : stack.get());
        ASSERT_TRUE(waitUntil([] { return heard.size() == 4; }));
        EXPECT_EQ(heard.join(','), swapped("editor", "menu", animated));
        EXPECT_FALSE(menu->view()->isVisible());
        EXPECT_EQ(stack->modalViewController(), modal ? editor.get() : nullptr);
        // A modal screen covers everything, the bar too.
        EXPECT_EQ(placeOf(editor.get()), QRect(0, 0, 320, 480));
        EXPECT_EQ(stack->view()->childAt(20, 20) == editor->view(), modal);
        heard.clear();
        if (modal) {
            stack->dismissModalViewControllerAnimated(animated);
            expectSlides("0,0 > 0,480, 300, 7", "");
        } else {
            EXPECT_GT(barChangedSince(barBefore), 64);
            EXPECT_EQ(shownOpacity(bar()), 1.0) << "the bar itself shows again";
            barBefore = barShown();
            EXPECT_EQ(stack->popViewControllerAnimated(animated), editor.get());
            expectSlides("0,-44 > 320,-44, 300, 7", "-320,0 > 0,0, 300, 7");
            EXPECT_EQ(barChangedSince(barBefore) <= 4, animated);
        }
        ASSERT_TRUE(waitUntil([] { return heard.size() == 4; }));
        EXPECT_EQ(heard.join(','), swapped("menu", "editor", animated));
        EXPECT_FALSE(editor->parentViewController() || editor->navigationController() ||
                     stack->modalViewController() || editor->view()->isVisible());
        EXPECT_EQ(stack->viewControllers(), QList<ViewController *>{menu.get()});
        EXPECT_TRUE(menu->view()->isVisible());
        EXPECT_EQ(placeOf(menu.get()), QRect(0, 44, 320, 436));
    }
}

INSTANTIATE_TEST_SUITE_P(NavigationStack, Animated, ::testing::Bool());

TEST_F(NavigationStackTest, ChangesFinishTheSlideUnderWayAndADeletedScreenLeaves)
{
    Screen third("third");
    stack->pushViewController(editor.get(), true);
    stack->pushViewController(&third, true);
    EXPECT_EQ(heard[2], "editor didAppear 1") << "the first slide ends before the second starts";
    stack->popToRootViewControllerAnimated(false);
    EXPECT_EQ(editor->navigationController(), nullptr) << "a screen popped from the middle";
    EXPECT_FALSE(editor->view()->isVisible());
    EXPECT_EQ(stack->popViewControllerAnimated(false), nullptr) << "the root stays";
    stack->pushViewController(menu.get(), false); // a screen is on the stack once
    EXPECT_EQ(stack->viewControllers(), QList<ViewController *>{menu.get()});
    stack->pushViewController(editor.get(), false);
    stack->popViewControllerAnimated(true);
    stack->pushViewController(editor.get(), true); // back, then straight in again
    EXPECT_EQ(stack->topViewController(), editor.get());
    stack->popViewControllerAnimated(false);

    heard.clear();
    stack->view()->hide();
    EXPECT_EQ(heard, (QStringList{"menu willDisappear 0", "menu didDisappear 0"}));
    heard.clear();
    stack->pushViewController(editor.get(), true);
    EXPECT_TRUE(heard.empty()) << "off screen";
    stack->view()->show();
    EXPECT_EQ(heard, (QStringList{"editor willAppear 0", "editor didAppear 0"}));
    editor.reset(); // a screen deleted on the stack leaves it
    EXPECT_EQ(stack->viewControllers(), QList<ViewController *>{menu.get()});
    EXPECT_TRUE(menu->view()->isVisible());
    EXPECT_EQ(bar()->title(), "menu");
}

TEST_F(NavigationStackTest, TheBarShowsTheTopTitleItsItemsAndABackButtonThatPops)
{
    QAbstractButton *back = bar()->backButton();
    // The title, and the back button's text while it shows.
    const auto shows = [&] {
        return QStringList{bar()->title(), back->isVisible() ? back->text() : QString()};
    };
    EXPECT_EQ(shows(), (QStringList{"menu", ""})) << "nothing to go back to";
    stack->pushViewController(editor.get(), false);
    EXPECT_EQ(shows(), (QStringList{"editor", "\u2039 menu"}));
    editor->setTitle("Velmora");
    QAction menuButton("Menu");
    menu->navigationItem().backBarButtonItem = &menuButton;
    menu->navigationItemChanged();
    EXPECT_EQ(shows(), (QStringList{"Velmora", "\u2039 Menu"}));
    QTest::mouseClick(back, Qt::LeftButton);
    // A right item shows as a button; a left item takes the back button's place.
    QAction save("Save");
    int saves = 0;
    QObject::connect(&save, &QAction::triggered, [&] { ++saves; });
    auto *custom = new QWidgetAction(editor.get());
    custom->setDefaultWidget(new QLabel("custom"));
    editor->navigationItem().rightBarButtonItem = &save;
    editor->navigationItem().leftBarButtonItem = custom;
    stack->pushViewController(editor.get(), false);
    auto *right = qobject_cast<QAbstractButton *>(bar()->rightItemWidget());
    ASSERT_TRUE(right && right->text() == "Save");
    QTest::mouseClick(right, Qt::LeftButton);
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(back->isVisible());
    stack->popViewControllerAnimated(false);
    EXPECT_EQ(bar()->rightItemWidget(), nullptr);
    EXPECT_EQ(custom->defaultWidget()->parentWidget(), nullptr) << "the bar gives the widget back";
}

// Bar style, where the screen lies.
using Layouts = WithParam<NavigationStackTest, std::tuple<int, QRect>>;

TEST_P(Layouts, TheScreenLiesBelowAnOpaqueBarUnderATranslucentOneAndTurnsWithTheWindow)
{
    const auto [style, place] = GetParam();
    bar()->setBarStyle(style);
    stack->pushViewController(editor.get(), false);
    EXPECT_EQ(placeOf(editor.get()), place);
    heard.clear();
    stack->view()->resize(300, 400); // still taller than wide: no turn
    // Crossing over lays the screens out again, under the lower landscape bar.
    stack->view()->resize(480, 320);
    const int top = place.top() > 0 ? 32 : 0;
    EXPECT_EQ(placeOf(editor.get()), QRect(0, top, 480, 320 - top));
    EXPECT_EQ(bar()->geometry().size(), QSize(480, 32));
    EXPECT_EQ(heard.join(','), "editor should 3,editor willRotate 3,editor firstHalf 3,"
                               "editor secondHalf 1,editor didRotate 1");
    Screen stubborn("stubborn", false);
    stack->pushViewController(&stubborn, false);
    heard.clear();
    stack->view()->resize(400, 300); // still wider than tall
    stack->view()->resize(400, 400); // a square window stands upright
    EXPECT_EQ(heard, QStringList{"stubborn should 1"})
        << "a screen that does not turn hears no more";
}

INSTANTIATE_TEST_SUITE_P(NavigationStack, Layouts,
                         ::testing::Values(std::tuple{0, QRect(0, 44, 320, 436)},
                                           std::tuple{1, QRect(0, 44, 320, 436)},
                                           std::tuple{2, QRect(0, 0, 320, 480)}));

} // namespace

#include "NavigationStack.h"
#include "NavigationBar.h"
#include "PlatformTestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QTest>
#include <QWidgetAction>

#include <memory>
#include <string>

namespace {

using Log = std::vector<std::string>;

// A screen that writes down every hook it hears, as "name hook argument".
class Screen : public ViewController
{
public:
    Screen(std::string name, Log &log, bool turns = true)
        : m_name(std::move(name)), m_log(log), m_turns(turns)
    {
        setTitle(QString::fromStdString(m_name));
    }

    void viewWillAppear(bool animated) override { note("willAppear", animated); }
    void viewDidAppear(bool animated) override { note("didAppear", animated); }
    void viewWillDisappear(bool animated) override { note("willDisappear", animated); }
    void viewDidDisappear(bool animated) override { note("didDisappear", animated); }
    bool shouldAutorotateToInterfaceOrientation(int orientation) override
    {
        note("should", orientation);
        return m_turns;
    }
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

private:
    void note(const char *hook, int value)
    {
        m_log.push_back(m_name + " " + hook + " " + std::to_string(value));
    }
    std::string m_name;
    Log &m_log;
    bool m_turns;
};

class NavigationStackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        menu = std::make_unique<Screen>("menu", log);
        editor = std::make_unique<Screen>("editor", log);
        stack = std::make_unique<NavigationStack>(menu.get());
        stack->view()->resize(320, 480);
        stack->view()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(stack->view()));
        log.clear();
    }
    // Where `screen`'s view lies in the stack's view.
    QRect placeOf(ViewController *screen)
    {
        QWidget *view = screen->view();
        return QRect(view->mapTo(stack->view(), QPoint(0, 0)), view->size());
    }
    NavigationBar *bar() { return stack->navigationBar(); }

    Log log;
    std::unique_ptr<Screen> menu, editor;
    std::unique_ptr<NavigationStack> stack;
};

using Animated = WithParam<NavigationStackTest, bool>;

TEST_P(Animated, PushAndPopTellBothScreensInOrderAndSettleTheStack)
{
    const bool animated = GetParam();
    const std::string a = animated ? "1" : "0";
    stack->pushViewController(editor.get(), animated);
    EXPECT_EQ(editor->navigationController(), stack.get());
    EXPECT_EQ(editor->parentViewController(), stack.get());
    ASSERT_TRUE(waitUntil([&] { return log.size() == 4; }));
    EXPECT_EQ(log, (Log{"editor willAppear " + a, "menu willDisappear " + a,
                        "editor didAppear " + a, "menu didDisappear " + a}));
    EXPECT_EQ(stack->topViewController(), editor.get());
    EXPECT_EQ(placeOf(editor.get()).topLeft(), QPoint(0, NavigationBar::Height));
    EXPECT_FALSE(menu->view()->isVisible());

    log.clear();
    EXPECT_EQ(stack->popViewControllerAnimated(animated), editor.get());
    ASSERT_TRUE(waitUntil([&] { return log.size() == 4; }));
    EXPECT_EQ(log, (Log{"menu willAppear " + a, "editor willDisappear " + a, "menu didAppear " + a,
                        "editor didDisappear " + a}));
    EXPECT_EQ(editor->navigationController(), nullptr);
    EXPECT_EQ(editor->parentViewController(), nullptr);
    EXPECT_EQ(stack->viewControllers(), QList<ViewController *>{menu.get()});
    EXPECT_TRUE(menu->view()->isVisible());
    EXPECT_EQ(placeOf(menu.get()).topLeft(), QPoint(0, NavigationBar::Height));
}

INSTANTIATE_TEST_SUITE_P(NavigationStack, Animated, ::testing::Bool());

TEST_F(NavigationStackTest, ANewChangeFinishesTheSlideUnderWay)
{
    Screen third("third", log);
    stack->pushViewController(editor.get(), true);
    stack->pushViewController(&third, true);
    EXPECT_EQ(log[2], "editor didAppear 1") << "the first slide ends before the second starts";
    stack->popToRootViewControllerAnimated(false);
    EXPECT_EQ(stack->viewControllers(), QList<ViewController *>{menu.get()});
    EXPECT_EQ(editor->navigationController(), nullptr) << "a screen popped from the middle";
    EXPECT_FALSE(editor->view()->isVisible());
    EXPECT_EQ(stack->popViewControllerAnimated(false), nullptr) << "the root stays";
    stack->pushViewController(menu.get(), false);
    EXPECT_EQ(stack->viewControllers().size(), 1) << "a screen is on the stack once";

    stack->pushViewController(editor.get(), false);
    stack->popViewControllerAnimated(true);
    stack->pushViewController(editor.get(), true); // back, then straight in again
    EXPECT_EQ(stack->topViewController(), editor.get());
}

TEST_F(NavigationStackTest, TheBarShowsTheTopTitleItsItemsAndABackButtonThatPops)
{
    QAbstractButton *back = bar()->backButton();
    EXPECT_EQ(bar()->title(), "menu");
    EXPECT_FALSE(back->isVisible()) << "nothing to go back to";
    stack->pushViewController(editor.get(), false);
    EXPECT_EQ(bar()->title(), "editor");
    EXPECT_TRUE(back->isVisible());
    EXPECT_EQ(back->text(), QStringLiteral("\u2039 menu"));
    editor->setTitle("Velmora");
    EXPECT_EQ(bar()->title(), "Velmora");
    QAction menuButton("Menu");
    menu->navigationItem().backBarButtonItem = &menuButton;
    menu->navigationItemChanged();
    EXPECT_EQ(back->text(), QStringLiteral("\u2039 Menu"));
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(stack->topViewController(), menu.get());
    EXPECT_EQ(bar()->title(), "menu");

    // A right item shows as a button; a left item takes the back button's place.
    QAction save("Save");
    int saves = 0;
    QObject::connect(&save, &QAction::triggered, [&] { ++saves; });
    Screen saver("saver", log);
    auto *custom = new QWidgetAction(&saver);
    custom->setDefaultWidget(new QLabel("custom"));
    saver.navigationItem().rightBarButtonItem = &save;
    saver.navigationItem().leftBarButtonItem = custom;
    stack->pushViewController(&saver, false);
    auto *right = qobject_cast<QAbstractButton *>(bar()->rightItemWidget());
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(right->text(), "Save");
    QTest::mouseClick(right, Qt::LeftButton);
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(back->isVisible());
    EXPECT_TRUE(custom->defaultWidget()->isVisible());
    EXPECT_EQ(custom->defaultWidget()->parentWidget(), bar());
    EXPECT_LE(right->geometry().right(), bar()->width());
    EXPECT_GT(right->geometry().left(), bar()->width() / 2);
    stack->popViewControllerAnimated(false);
    EXPECT_EQ(bar()->rightItemWidget(), nullptr);
    EXPECT_FALSE(custom->defaultWidget()->isVisible()) << "the bar gives the widget back";
}

// Style, bar shown, where the screen lies.
struct Layout
{
    int style;
    bool barHidden;
    QRect place;
};

using Layouts = WithParam<NavigationStackTest, Layout>;

TEST_P(Layouts, TheScreenStartsBelowAnOpaqueBarAndUnderATranslucentOne)
{
    bar()->setBarStyle(GetParam().style);
    stack->setNavigationBarHidden(GetParam().barHidden, false);
    stack->pushViewController(editor.get(), false);
    EXPECT_EQ(placeOf(editor.get()), GetParam().place);
    EXPECT_EQ(bar()->isVisible(), !GetParam().barHidden);

    // Resizing the window lays the screens out again, under the lower landscape bar.
    stack->view()->resize(480, 320);
    const int top = GetParam().place.top() > 0 ? 32 : 0;
    EXPECT_EQ(placeOf(editor.get()), QRect(0, top, 480, 320 - top));
    EXPECT_EQ(bar()->width(), 480);
    EXPECT_EQ(bar()->height(), 32);
}

INSTANTIATE_TEST_SUITE_P(NavigationStack, Layouts,
                         ::testing::Values(Layout{0, false, QRect(0, 44, 320, 436)},
                                           Layout{1, false, QRect(0, 44, 320, 436)},
                                           Layout{2, false, QRect(0, 0, 320, 480)},
                                           Layout{0, true, QRect(0, 0, 320, 480)}));

TEST_F(NavigationStackTest, TheTopScreenTurnsOnlyWhenTheWindowCrossesOverAndItAgrees)
{
    Screen stubborn("stubborn", log, false);
    stack->pushViewController(editor.get(), false);
    log.clear();
    stack->view()->resize(300, 400);
    EXPECT_TRUE(log.empty()) << "still taller than wide";

    stack->view()->resize(480, 320);
    EXPECT_EQ(log, (Log{"editor should 3", "editor willRotate 3", "editor firstHalf 3",
                        "editor secondHalf 1", "editor didRotate 1"}));
    EXPECT_EQ(editor->interfaceOrientation(), ViewController::LandscapeRight);
    log.clear();
    stack->view()->resize(400, 300);
    EXPECT_TRUE(log.empty()) << "still wider than tall";

    stack->pushViewController(&stubborn, false);
    log.clear();
    stack->view()->resize(320, 480);
    EXPECT_EQ(log, (Log{"stubborn should 1"})) << "a screen that does not turn hears nothing more";
}

TEST_F(NavigationStackTest, AModalScreenCoversEverythingAndItsPresenterIsItsParent)
{
    Screen picker("picker", log);
    stack->presentModalViewController(&picker, false);
    EXPECT_EQ(picker.parentViewController(), stack.get());
    EXPECT_EQ(picker.navigationController(), nullptr);
    EXPECT_EQ(stack->modalViewController(), &picker);
    EXPECT_EQ(log, (Log{"picker willAppear 0", "menu willDisappear 0", "picker didAppear 0",
                        "menu didDisappear 0"}));
    EXPECT_EQ(placeOf(&picker), QRect(0, 0, 320, 480));
    EXPECT_EQ(stack->view()->childAt(20, 20), picker.view()) << "over the bar";

    log.clear();
    stack->dismissModalViewControllerAnimated(true);
    ASSERT_TRUE(waitUntil([&] { return log.size() == 4; }));
    EXPECT_EQ(log, (Log{"menu willAppear 1", "picker willDisappear 1", "menu didAppear 1",
                        "picker didDisappear 1"}));
    EXPECT_EQ(picker.parentViewController(), nullptr);
    EXPECT_EQ(stack->modalViewController(), nullptr);
    EXPECT_FALSE(picker.view()->isVisible());
}

TEST_F(NavigationStackTest, ScreensHearTheStackComeAndGoAndOutliveIt)
{
    stack->view()->hide();
    EXPECT_EQ(log, (Log{"menu willDisappear 0", "menu didDisappear 0"}));
    log.clear();
    stack->pushViewController(editor.get(), true);
    EXPECT_TRUE(log.empty()) << "off screen";
    stack->view()->show();
    EXPECT_EQ(log, (Log{"editor willAppear 0", "editor didAppear 0"}));

    editor.reset(); // a screen deleted on the stack leaves it
    EXPECT_EQ(stack->viewControllers(), QList<ViewController *>{menu.get()});
    EXPECT_TRUE(menu->view()->isVisible());
    EXPECT_EQ(bar()->title(), "menu");

    QPointer<QWidget> view = menu->view();
    stack.reset();
    EXPECT_TRUE(view) << "the stack deletes no screen and no screen's view";
    EXPECT_EQ(menu->navigationController(), nullptr);
    EXPECT_EQ(menu->parentViewController(), nullptr);
}

} // namespace

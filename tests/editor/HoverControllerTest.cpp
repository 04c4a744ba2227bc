#include "HoverController.h"
#include "EditorTestSupport.h"
#include "HoverView.h"
#include "NavigationBar.h"
#include "Timer.h"

namespace {

class HoverControllerTest : public ::testing::Test
{
protected:
    HoverControllerTest()
    {
        container.resize(320, 480);
        hover->resize(200, 100);
        controller->setContainerView(&container);
        controller->setHoverView(hover);
    }

    // The window is the container's once attached; until then it is the test's.
    ~HoverControllerTest() override { delete hover.data(); }

    void TearDown() override { ViewAnimation::finishAll(); }

    bool shown() const { return View::alpha(hover) == 1.0; }

    AnimationBlock animation;
    QWidget container;
    QPointer<HoverView> hover = new HoverView;
    std::unique_ptr<HoverController> controller = std::make_unique<HoverController>();
    Recorder posts{{"Hover Shown", "Hover Hidden"}};
};

TEST_F(HoverControllerTest, TheFirstShowAttachesTheWindowAndEveryShowRestartsTheHideTimer)
{
    controller->showHoverView(true);
    EXPECT_EQ(View::superview(hover), &container);
    EXPECT_TRUE(shown());
    EXPECT_EQ(posts.names, QStringList{"Hover Shown"});
    EXPECT_EQ(posts.senders.value(0), controller.get());
    QPointer<QTimer> first = controller->hideTimer();
    ASSERT_TRUE(Timer::isPending(first));

    controller->setHideInterval(0.01);
    controller->showHoverView(true);
    EXPECT_FALSE(Timer::isPending(first)) << "the earlier wait is dropped";
    ASSERT_TRUE(waitUntil([&] { return View::alpha(hover) == 0.0; }));
    EXPECT_EQ(posts.names.last(), "Hover Hidden");
    EXPECT_EQ(controller->hideTimer(), nullptr);
}

TEST_F(HoverControllerTest, ATapTogglesAfterAWaitUnlessADoubleTapFollows)
{
    controller->setTapInterval(0.01);
    controller->showHoverView(true);
    controller->tap({});
    controller->doubleTap({});
    EXPECT_EQ(controller->tapTimer(), nullptr);
    drainEvents();
    EXPECT_TRUE(shown());

    controller->tap({});
    ASSERT_TRUE(waitUntil([&] { return View::alpha(hover) == 0.0; }));
    EXPECT_EQ(controller->hideTimer(), nullptr) << "a hidden hover stays hidden";

    // Caught half-faded, it counts as hidden.
    View::setAlpha(hover, 0.5);
    controller->tap({});
    ASSERT_TRUE(waitUntil([&] { return shown(); }));
    EXPECT_EQ(posts.names, (QStringList{"Hover Shown", "Hover Hidden", "Hover Shown"}));

    // Its timers go with it.
    controller->tap({});
    QPointer<QTimer> tap = controller->tapTimer(), hide = controller->hideTimer();
    ASSERT_TRUE(tap && hide);
    controller.reset();
    EXPECT_TRUE(tap.isNull() && hide.isNull());
}

TEST_F(HoverControllerTest, WithoutAContainerNothingHappens)
{
    QWidget elsewhere;
    View::addSubview(&elsewhere, hover);
    controller->setContainerView(nullptr);
    controller->showHoverView(true);
    controller->showHoverView(false);
    EXPECT_EQ(View::superview(hover), nullptr);
    EXPECT_EQ(controller->hideTimer(), nullptr);
    EXPECT_TRUE(posts.names.isEmpty());
}

TEST_F(HoverControllerTest, TheBarsFadeWithTheWindowOnlyWhileSet)
{
    NavigationStack navigation;
    QWidget toolBar;
    controller->showHoverView(false);
    EXPECT_EQ(View::alpha(navigation.navigationBar()), 1.0);
    controller->setNavBar(&navigation);
    controller->setToolBar(&toolBar);
    controller->showHoverView(false);
    EXPECT_EQ(View::alpha(navigation.navigationBar()), 0.0);
    EXPECT_EQ(View::alpha(&toolBar), 0.0);
    controller->showHoverView(true);
    EXPECT_EQ(View::alpha(navigation.navigationBar()), 1.0);
    EXPECT_EQ(View::alpha(&toolBar), 1.0);
}

struct Placement
{
    QSize container;
    bool lefthand;
    bool anchorTop;
    QPointF origin;
};

using HoverPlacementTest = WithParam<HoverControllerTest, Placement>;

TEST_P(HoverPlacementTest, PlacesTheWindowByTheContainersShape)
{
    const Placement &p = GetParam();
    container.resize(p.container);
    View::setFrame(hover, QRectF(3, 4, 200, 100));
    controller->setLefthand(p.lefthand);
    controller->setAnchorTop(p.anchorTop);
    controller->relocate();
    EXPECT_EQ(View::frame(hover), QRectF(p.origin, QSizeF(200, 100)));
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, HoverPlacementTest,
    ::testing::Values(Placement{{320, 480}, false, false, {60, 332}}, // centred, 48 up
                      Placement{{320, 480}, true, false, {60, 332}},
                      Placement{{400, 400}, true, false, {100, 252}},
                      Placement{{480, 320}, false, false, {232, 172}}, // 48 from right
                      Placement{{480, 320}, true, false, {48, 172}},
                      Placement{{480, 320}, false, true, {3, 4}}));

} // namespace

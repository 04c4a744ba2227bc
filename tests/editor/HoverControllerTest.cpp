#include "HoverController.h"
#include "EditorTestSupport.h"
#include "HoverView.h"

#include <QScreen>

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

    AnimationBlock animation;
    QWidget container;
    QPointer<HoverView> hover = new HoverView;
    std::unique_ptr<HoverController> controller = std::make_unique<HoverController>();
};

// Centred 48 above the bottom when tall, 48 from the side of the hand when wide.
TEST_F(HoverControllerTest, PlacesTheWindowByTheContainersShape)
{
    for (auto [size, lefthand, origin] : {std::tuple{QSize(320, 480), false, QPointF(60, 332)},
                                          {QSize(320, 480), true, QPointF(60, 332)},
                                          {QSize(400, 400), true, QPointF(100, 252)},
                                          {QSize(480, 320), false, QPointF(232, 172)},
                                          {QSize(480, 320), true, QPointF(48, 172)}}) {
        container.resize(size);
        View::setFrame(hover, QRectF(3, 4, 200, 100));
        controller->setLefthand(lefthand);
        controller->relocate();
        EXPECT_EQ(View::frame(hover), QRectF(origin, QSizeF(200, 100))) << size.width() << lefthand;
    }
}

// Read from what the screen holds: a translucent parent does not stop Qt from counting an
// opaque child as covering what lies beneath, so a faded window's picture can stay there.
TEST_F(HoverControllerTest, FadesAllOfTheWindowLeavesNothingOnceHiddenAndBringsItAllBack)
{
    container.setPalette(QPalette(Qt::blue));
    container.setAutoFillBackground(true);
    auto *picture = new QWidget(hover);
    picture->setGeometry(10, 10, 100, 80);
    picture->setPalette(QPalette(Qt::red));
    picture->setAutoFillBackground(true);
    showExposed(&container);
    const auto onScreen = [&](QPoint at) {
        drainEvents();
        return QColor(container.screen()->grabWindow(container.winId()).toImage().pixel(at))
            .name()
            .toStdString();
    };

    for (bool twice : {false, true}) {
        controller->showHoverView(true);
        ViewAnimation::finishAll();
        const QPoint inPicture = picture->mapTo(&container, QPoint(50, 40));
        EXPECT_EQ(onScreen(inPicture), "#ff0000") << twice;
        controller->showHoverView(false);
        // Half-way, the picture fades with the frame.
        ASSERT_TRUE(waitUntil([&] { return shownOpacity(hover) < 0.7; }));
        const QColor midway(QString::fromStdString(onScreen(inPicture)));
        EXPECT_TRUE(midway.red() > 40 && midway.red() < 215) << midway.red() << twice;
        ViewAnimation::finishAll();
        EXPECT_EQ(onScreen(inPicture), "#0000ff") << twice;
        EXPECT_FALSE(picture->isVisible()) << twice;
    }
}

} // namespace

#include "../platform/PlatformTestSupport.h"
#include "AppTestSupport.h"

#include "CameraImagePickerController.h"
#include "View.h"

#include <QPushButton>
#include <QSignalSpy>

// Stand-ins for the camera screen's own view classes: only their names matter.
// clang-format off
class PLCameraView : public QWidget { Q_OBJECT public: using QWidget::QWidget; };
class UIView : public QWidget { Q_OBJECT public: using QWidget::QWidget; };
class UIImageView : public QWidget { Q_OBJECT public: using QWidget::QWidget; };
class PLCropOverlay : public QWidget { Q_OBJECT public: using QWidget::QWidget; };
class PLCropLCDLayer : public QWidget { Q_OBJECT public: using QWidget::QWidget; };
class TPBottomDualButtonBar : public QWidget { Q_OBJECT public: using QWidget::QWidget; };
class TPPushButton : public QPushButton { Q_OBJECT public: using QPushButton::QPushButton; };
class TPCameraPushButton : public QPushButton { Q_OBJECT public: using QPushButton::QPushButton; };
// clang-format on

namespace {

template <class View> View *make(QWidget *parent, const QRect &frame)
{
    auto *view = new View(parent);
    view->setGeometry(frame);
    return view;
}

// A camera screen in the picker's window: a camera root whose first child is not a plain
// view, then the preview, the frozen picture, the filler and the overlay with its top bar,
// text layer and bottom bar with two buttons.
class CameraImagePickerControllerTest : public ::testing::Test
{
protected:
    CameraImagePickerControllerTest()
    {
        picker.setSourceType(PictureSource::Camera);
        window.resize(320, 480);
        picker.view()->setParent(&window);
        camera = make<PLCameraView>(&window, {0, 0, 320, 480});
        decoy = make<UIImageView>(camera, {0, 0, 10, 10});
        preview = make<UIView>(camera, {0, 0, 200, 100});
        offscreen = make<UIImageView>(camera, {0, 0, 320, 480});
        filler = make<UIView>(camera, {0, 0, 320, 480});
        overlay = make<PLCropOverlay>(camera, {0, 0, 320, 480});
        topBar = make<UIImageView>(overlay, {0, 20, 320, 60});
        topText = make<PLCropLCDLayer>(overlay, {10, 35, 300, 30});
        bottomBar = make<TPBottomDualButtonBar>(overlay, {0, 384, 320, 96});
        left = make<TPPushButton>(bottomBar, {20, 20, 100, 50});
        right = make<TPCameraPushButton>(bottomBar, {200, 20, 100, 50});
        glyph = make<UIImageView>(right, {30, 10, 40, 30});
    }

    QWidget window;
    CameraImagePickerController picker;
    QWidget *camera, *decoy, *preview, *offscreen, *filler, *overlay, *topBar, *topText, *bottomBar,
        *glyph;
    QPushButton *left, *right;
};

TEST_F(CameraImagePickerControllerTest, FindsTheCameraScreensPartsAndTidiesThemOnlyForACamera)
{
    picker.setSourceType(PictureSource::PhotoLibrary);
    EXPECT_EQ(picker.cameraButton(), nullptr) << "no buttons before a walk";
    EXPECT_FALSE(picker.retake());
    LogCapture log;
    picker.parseViews();
    EXPECT_EQ(picker.cameraView(), nullptr);
    EXPECT_EQ(picker.bottomOverlay(), nullptr);
    EXPECT_EQ(View::frame(topBar).y(), 20);
    EXPECT_EQ(log.lines().filter(QStringLiteral("PLCameraView")).size(), 1) << "still walked";

    picker.setSourceType(PictureSource::Camera);
    picker.parseViews();
    // The first child is no plain view: the preview is the next one, and the image view
    // skipped on the way is not taken for the frozen picture.
    const std::vector<QWidget *> found{
        picker.cameraView(),       picker.cameraImageView(), picker.cameraOffscreen(),
        picker.cameraFillerView(), picker.cameraOverlay(),   picker.topOverlay(),
        picker.topText(),          picker.bottomOverlay(),   picker.tempLeftButton(),
        picker.tempRightButton(),  picker.tempRightImage()};
    EXPECT_EQ(found, (std::vector<QWidget *>{camera, preview, offscreen, filler, overlay, topBar,
                                             topText, bottomBar, left, right, glyph}));
    // The preview is tidied and the top bar moved up.
    EXPECT_EQ(View::center(preview), QPointF(160, 240));
    EXPECT_TRUE(View::isHidden(filler));
    EXPECT_EQ(camera->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(View::frame(topBar), QRectF(0, 0, 320, 60));
    EXPECT_EQ(View::frame(topText), QRectF(10, 15, 300, 30));
}

// With a glyph on the right button the bar takes a photo, without one it confirms it; a bar
// without its right button offers nothing.
TEST_F(CameraImagePickerControllerTest, TheButtonsFollowTheBarAndPhotoPressesTheCameraButton)
{
    picker.parseViews();
    QSignalSpy pressed(right, &QPushButton::clicked), other(left, &QPushButton::clicked);
    LogCapture log;
    EXPECT_TRUE(picker.photo());
    EXPECT_EQ(pressed.size(), 1);
    EXPECT_EQ(other.size(), 0);
    EXPECT_TRUE(log.lines().contains(QStringLiteral("Photo")));
    const QWidget *buttons[][4] = {{right, left, nullptr, nullptr},
                                   {nullptr, nullptr, right, left},
                                   {nullptr, nullptr, nullptr, nullptr}};
    for (int bar = 0; bar < 3; ++bar) {
        SCOPED_TRACE(bar);
        if (bar == 1)
            delete glyph;
        if (bar == 2)
            delete right;
        picker.parseViews();
        EXPECT_EQ(picker.cameraButton(), buttons[bar][0]);
        EXPECT_EQ(picker.cancelButton(), buttons[bar][1]);
        EXPECT_EQ(picker.confirmButton(), buttons[bar][2]);
        EXPECT_EQ(picker.retakeButton(), buttons[bar][3]);
        EXPECT_EQ(picker.cancel(), buttons[bar][1] != nullptr);
        EXPECT_EQ(picker.confirm(), buttons[bar][2] != nullptr);
        EXPECT_EQ(picker.retake(), buttons[bar][3] != nullptr);
    }
}

} // namespace

#include "CameraImagePickerControllerTest.moc"

#include "../platform/PlatformTestSupport.h"

#include "CameraImagePickerController.h"

#include <QPushButton>
#include <QSignalSpy>

namespace {

// The walker knows the camera screen's views by their descriptions, which carry the name.
template <class View = QWidget> View *make(QWidget *parent, const char *name, const QRect &frame)
{
    auto *view = new View(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setGeometry(frame);
    return view;
}

// A camera screen in the picker's window: a camera root whose first child is not a plain
// view, then the preview, the frozen picture, the filler and the overlay with its top bar,
// text layer and bottom bar with two buttons.
TEST(CameraImagePickerController, FindsTheCameraScreensPartsTidiesThemAndPressesItsButtons)
{
    QWidget window;
    window.resize(320, 480);
    CameraImagePickerController picker;
    picker.view()->setParent(&window);
    QWidget *camera = make(&window, "PLCameraView", {0, 0, 320, 480});
    make(camera, "UIImageView", {0, 0, 10, 10});
    QWidget *preview = make(camera, "UIView", {0, 0, 200, 100});
    QWidget *offscreen = make(camera, "UIImageView", {0, 0, 320, 480});
    QWidget *filler = make(camera, "UIView", {0, 0, 320, 480});
    QWidget *overlay = make(camera, "PLCropOverlay", {0, 0, 320, 480});
    QWidget *topBar = make(overlay, "UIImageView", {0, 20, 320, 60});
    QWidget *topText = make(overlay, "PLCropLCDLayer", {10, 35, 300, 30});
    QWidget *bottomBar = make(overlay, "TPBottomDualButtonBar", {0, 384, 320, 96});
    auto *left = make<QPushButton>(bottomBar, "TPPushButton", {20, 20, 100, 50});
    auto *right = make<QPushButton>(bottomBar, "TPCameraPushButton", {200, 20, 100, 50});
    QWidget *glyph = make(right, "UIImageView", {30, 10, 40, 30});
    picker.setSourceType(PictureSource::PhotoLibrary);
    picker.parseViews();
    EXPECT_EQ(picker.cameraView(), nullptr);

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

    // With a glyph on the right button the bar takes a photo, without one it confirms it; a
    // bar without its right button offers nothing.
    QSignalSpy pressed(right, &QPushButton::clicked), other(left, &QPushButton::clicked);
    EXPECT_TRUE(picker.photo());
    EXPECT_EQ(pressed.size(), 1);
    EXPECT_EQ(other.size(), 0);
    const QWidget *buttons[][4] = {{right, left, nullptr, nullptr},
                                   {nullptr, nullptr, right, left},
                                   {nullptr, nullptr, nullptr, nullptr}};
    for (int bar = 0; bar < 3; ++bar) {
        SCOPED_TRACE(bar);
        if (bar == 1)
            delete glyph;
        if (bar == 2)
            delete right;
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

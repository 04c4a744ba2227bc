#include "../platform/PlatformTestSupport.h"

#include "CameraImagePickerController.h"

#include <QPushButton>
#include <QSignalSpy>

namespace {

// The walker knows the camera screen's views by their descriptions, which carry the name.
template <class View = QWidget> View *make(QWidget *parent, const char *name)
{
    auto *view = new View(parent);
    view->setObjectName(QString::fromLatin1(name));
    return view;
}

// A camera screen in the picker's window: the camera root with the preview, the frozen
// picture, the filler and the overlay, whose bottom bar holds two buttons. The desktop never
// shows one; the picker must find nothing elsewhere and press the right button here.
TEST(CameraImagePickerController, FindsTheBarOnlyForTheCameraAndPressesTheButtonAsked)
{
    QWidget window;
    CameraImagePickerController picker;
    picker.view()->setParent(&window);
    QWidget *camera = make(&window, "PLCameraView");
    for (const char *name : {"UIView", "UIImageView", "UIView"})
        make(camera, name);
    QWidget *bar = make(make(camera, "PLCropOverlay"), "TPBottomDualButtonBar");
    auto *left = make<QPushButton>(bar, "TPPushButton");
    auto *right = make<QPushButton>(bar, "TPCameraPushButton");
    QWidget *glyph = make(right, "UIImageView");
    picker.setSourceType(PictureSource::PhotoLibrary);
    picker.parseViews();
    EXPECT_EQ(picker.cameraView(), nullptr);
    picker.setSourceType(PictureSource::Camera);
    picker.parseViews();
    ASSERT_EQ(picker.bottomOverlay(), bar);

    // With a glyph on the right button the bar takes a photo, without one it confirms it.
    QSignalSpy rightPressed(right, &QPushButton::clicked), leftPressed(left, &QPushButton::clicked);
    EXPECT_TRUE(picker.photo() && picker.cancel());
    EXPECT_FALSE(picker.confirm() || picker.retake());
    delete glyph;
    EXPECT_TRUE(picker.confirm() && picker.retake());
    EXPECT_FALSE(picker.photo() || picker.cancel());
    EXPECT_EQ(rightPressed.size(), 2);
    EXPECT_EQ(leftPressed.size(), 2);
}

} // namespace

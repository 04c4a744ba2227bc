#include "EditorTestSupport.h"

#include "AnimationBlock.h"
#include "NavigationStack.h"
#include "PhotoSettings.h"
#include "PhotoViewController.h"
#include "View.h"

#include <QLabel>
#include <QTemporaryDir>

namespace {

// Turning the window: the split editor lays itself out again for the new shape.
TEST(EditorRotationTest, TheSplitEditorFollowsTheWindowBetweenPortraitAndLandscape)
{
    QTemporaryDir folder;
    PhotoSettings settings(folder.filePath("settings.ini"));
    settings.setAnimation(false);
    AnimationBlock animation;
    ViewController menu;
    PhotoViewController editor(PhotoViewController::kSplitPhotoView);
    NavigationStack stack(&menu);
    stack.view()->resize(360, 640);
    stack.view()->show();
    stack.pushViewController(&editor, false);
    editor.edit(Picture(TestImages::quadrants(400, 300)), false, false);

    auto *container = editor.view()->findChild<QWidget *>("containerView");
    auto *original = editor.view()->findChild<QWidget *>("originalView");
    auto *label = editor.view()->findChild<QLabel *>("effectLabel");
    auto split = [&] {
        QCoreApplication::processEvents();
        const QRectF bounds = View::bounds(container);
        return View::frame(original) == QRectF(0, 0, bounds.width() / 2, bounds.height());
    };
    EXPECT_FALSE(split());
    EXPECT_EQ(View::frame(original).width(), container->width());

    stack.view()->resize(640, 360);
    EXPECT_EQ(editor.interfaceOrientation(), 3);
    EXPECT_TRUE(split());
    EXPECT_EQ(View::frame(label).top(), 32) << "under the bar while it shows";

    stack.view()->resize(360, 640);
    EXPECT_FALSE(split());
    EXPECT_EQ(View::frame(label).top(), View::frame(original).bottom());
}

} // namespace

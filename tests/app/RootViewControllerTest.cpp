#include "../platform/PlatformTestSupport.h"

#include "ImageTableViewCell.h"
#include "NavigationBar.h"
#include "NavigationController.h"
#include "PhotoSettings.h"
#include "PhotoViewController.h"
#include "RootViewController.h"

#include <QLabel>
#include <QTemporaryDir>

namespace {

// The picker never offers its editing step: not for the camera, not at the web size, and
// never past version 2.19.
TEST(RootViewController, OffersTheCameraOnlyWhenThereIsOneAndOpensPicturesInTheEditor)
{
    QTemporaryDir folder;
    PhotoSettings settings{folder.filePath("settings.ini")};
    bool camera = false;
    RootViewController menu;
    NavigationController stack{&menu};
    menu.setSourceAvailability([&camera](int source) { return source != 1 || camera; });
    stack.navigationBar()->setBarStyle(NavigationBar::BlackTranslucent);
    stack.view()->resize(360, 640);
    stack.view()->show();
    const auto select = [&](int section, int row) {
        menu.didSelectRowAtIndexPath(menu.tableView(), {section, row});
    };
    const auto cell = [&](int section, int row) { return menu.cell({section, row}); };
    const auto picker = [&] { return menu.imagePickerController(); };
    menu.viewWillAppear(false);
    EXPECT_GE(cell(0, 0)->mapTo(stack.view(), QPoint()).y(), NavigationBar::Height)
        << "below the translucent bar";
    EXPECT_FALSE(cell(0, 0)->isEnabledLook());
    select(0, 0);
    EXPECT_EQ(menu.photoViewController(), nullptr);
    EXPECT_FALSE(cell(1, 0)->isEnabledLook());
    EXPECT_EQ(cell(1, 1)->label()->text(), "Saved Photos");
    select(1, 0);
    EXPECT_EQ(stack.modalViewController(), nullptr) << "no camera, no picker";

    camera = true;
    menu.refreshMenu();
    EXPECT_TRUE(cell(1, 0)->isEnabledLook());
    EXPECT_EQ(cell(1, 1)->label()->text(), "Camera Roll");
    for (auto [photoSize, source] : {std::pair{2, 0}, {0, 0}, {0, 1}}) {
        settings.setPhotoSize(photoSize);
        menu.promptPhoto(source);
        EXPECT_EQ(picker()->sourceType(), source);
        EXPECT_FALSE(picker()->allowsImageEditing()) << photoSize << source;
        EXPECT_EQ(picker()->fitBox(), photoSize == 2 ? QSize(640, 480) : QSize(1600, 1200));
        // Shown again straight after the last one was cancelled, while it still slides out.
        EXPECT_EQ(stack.modalViewController(), picker());
        menu.imagePickerControllerDidCancel(picker());
        EXPECT_EQ(stack.modalViewController(), nullptr);
    }

    // The stored picture or a pick opens in the editor of the chosen layout.
    settings.setImage(Picture(TestImages::quadrants(160, 120)));
    settings.setUiType(0);
    select(0, 0);
    PhotoViewController *first = menu.photoViewController();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->layoutName(), PhotoViewController::kSplitPhotoView);
    EXPECT_EQ(stack.topViewController(), first);
    EXPECT_EQ(first->baselineImage().grid(), settings.image().grid());
    stack.popViewControllerAnimated(false);
    select(0, 0);
    EXPECT_EQ(menu.photoViewController(), first) << "kept while the layout stays";

    // A pick made while the editor shows starts from the menu, with the original if any.
    settings.setUiType(1);
    const Picture delivered(TestImages::solid(64, 48, Qt::red));
    const Picture original(TestImages::solid(64, 48, Qt::blue));
    menu.imagePickerController(picker(), delivered, {original});
    ASSERT_NE(menu.photoViewController(), nullptr);
    EXPECT_EQ(menu.photoViewController()->layoutName(), PhotoViewController::kPhotoView);
    EXPECT_EQ(menu.photoViewController()->baselineImage().grid(), original.grid());
    menu.imagePickerController(picker(), delivered, {});
    EXPECT_EQ(menu.photoViewController()->baselineImage().grid(), delivered.grid());
}

} // namespace

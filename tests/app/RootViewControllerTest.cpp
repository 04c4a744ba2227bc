#include "../platform/PlatformTestSupport.h"

#include "ImagePickerController.h"
#include "ImageTableViewCell.h"
#include "ImageView.h"
#include "NavigationBar.h"
#include "NavigationController.h"
#include "PhotoSettings.h"
#include "PhotoViewController.h"
#include "RootViewController.h"

#include <QLabel>
#include <QTemporaryDir>

namespace {

class RootViewControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        menu.setSourceAvailability([this](int source) { return source != 1 || camera; });
        stack.navigationBar()->setBarStyle(NavigationBar::BlackTranslucent);
        stack.view()->resize(360, 640);
        showExposed(stack.view());
    }
    ImageTableViewCell *cell(int section, int row) { return menu.cell({section, row}); }
    QPoint middleOf(int section, int row)
    {
        QWidget *shown = cell(section, row);
        return shown->mapTo(stack.view(), shown->rect().center());
    }
    // What the user has in front of them: the picker's or the stack's title, or the editor
    // with the stored picture; nothing while the menu stays.
    std::string shown()
    {
        if (auto *picker = qobject_cast<ImagePickerController *>(stack.modalViewController()))
            return "picker " + picker->navigationBar()->title().toStdString();
        if (stack.topViewController() == &menu)
            return {};
        if (stack.topViewController() == menu.photoViewController())
            return menu.photoViewController()->baselineImage().grid() == settings.image().grid()
                       ? "the stored picture"
                       : "another picture";
        return stack.navigationBar()->title().toStdString();
    }

    QTemporaryDir folder;
    PhotoSettings settings{folder.filePath("settings.ini")};
    bool camera = true;
    RootViewController menu;
    NavigationController stack{&menu};
};

// A row, its title, its icon's file and what pressing it brings up.
using Row = std::tuple<int, int, const char *, const char *, const char *>;
using MenuRows = WithParam<RootViewControllerTest, Row>;

// An icon has see-through corners (the row shows through them, not black) and a file twice
// its size for high-density screens, itself with see-through corners.
TEST_P(MenuRows, DoWhatTheirTitlesSayUnderIconsWithSeeThroughCorners)
{
    const auto [section, row, title, icon, shows] = GetParam();
    settings.setImage(Picture(TestImages::quadrants(160, 120)));
    menu.refreshMenu();
    EXPECT_EQ(cell(section, row)->label()->text(), title);
    if (icon) {
        const QImage shown = cell(section, row)->grab().toImage();
        const QPoint corner = cell(section, row)->imageView()->geometry().topLeft();
        const QRgb background = shown.pixel(corner - QPoint(2, 0));
        EXPECT_EQ(shown.pixel(corner), background) << "top-left corner";
        EXPECT_EQ(shown.pixel(corner + QPoint(31, 31)), background) << "bottom-right corner";
        EXPECT_NE(shown.pixel(corner + QPoint(16, 2)), background) << "no icon drawn";
        const QString file = QStringLiteral(":/icons/%1").arg(QLatin1String(icon));
        const QImage twice(file + QStringLiteral("@2x.png"));
        EXPECT_EQ(twice.size(), QImage(file + QStringLiteral(".png")).size() * 2);
        EXPECT_EQ(qAlpha(twice.pixel(0, 0)), 0);
    }
    clickAt(stack.view(), middleOf(section, row));
    EXPECT_EQ(shown(), shows);
}

INSTANTIATE_TEST_SUITE_P(
    Menu, MenuRows,
    ::testing::Values(Row{0, 0, "Continue Editing", nullptr, "the stored picture"},
                      Row{1, 0, "Take a Photo", "camera", "picker Camera"},
                      Row{1, 1, "Camera Roll", "saved-photos", "picker Saved Photos"},
                      Row{1, 2, "Photo Albums", "photo-library", "picker Photos"},
                      Row{2, 0, "Settings", "settings", "Settings"},
                      Row{2, 1, "Help", "help", "Help"},
                      Row{2, 2, "About Velmora", "about", "About"}));

// Without a stored picture or a camera their rows are grey: a press neither lights them up
// nor does anything, where a live row lights up.
TEST_F(RootViewControllerTest, GreyedRowsNeitherHighlightNorAct)
{
    camera = false;
    menu.refreshMenu();
    EXPECT_EQ(cell(1, 1)->label()->text(), "Saved Photos");
    for (auto [section, row] : {std::pair{0, 0}, {1, 0}, {1, 1}}) {
        const bool live = section == 1 && row == 1;
        const QImage before = cell(section, row)->grab().toImage();
        QTest::mousePress(stack.view()->windowHandle(), Qt::LeftButton, {}, middleOf(section, row));
        EXPECT_EQ(cell(section, row)->grab().toImage() != before, live) << section << row;
        QTest::mouseRelease(stack.view()->windowHandle(), Qt::LeftButton, {},
                            middleOf(section, row));
        EXPECT_EQ(shown(), live ? "picker Saved Photos" : "") << section << row;
    }
}

// The picker never offers its editing step: not for the camera, not at the web size, and
// never past version 2.19. A picture opens in the editor of the chosen layout, kept while
// that layout stays; a pick made while the editor shows starts from the menu, with the
// original if any.
TEST_F(RootViewControllerTest, ConfiguresThePickerAndOpensPicturesInTheChosenEditor)
{
    ImagePickerController *picker = menu.imagePickerController();
    for (auto [photoSize, source] : {std::pair{2, 0}, {0, 0}, {0, 1}}) {
        settings.setPhotoSize(photoSize);
        menu.promptPhoto(source);
        EXPECT_FALSE(picker->allowsImageEditing()) << photoSize << source;
        EXPECT_EQ(picker->fitBox(), photoSize == 2 ? QSize(640, 480) : QSize(1600, 1200));
        // Shown again straight after the last one was cancelled, while it still slides out.
        EXPECT_EQ(stack.modalViewController(), picker);
        menu.imagePickerControllerDidCancel(picker);
        EXPECT_EQ(stack.modalViewController(), nullptr);
    }

    settings.setUiType(0);
    const Picture delivered(TestImages::solid(64, 48, Qt::red));
    const Picture original(TestImages::solid(64, 48, Qt::blue));
    menu.imagePickerController(picker, delivered, {});
    PhotoViewController *first = menu.photoViewController();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->layoutName(), PhotoViewController::kSplitPhotoView);
    EXPECT_EQ(first->baselineImage().grid(), delivered.grid());
    menu.imagePickerController(picker, delivered, {original});
    EXPECT_EQ(menu.photoViewController(), first) << "kept while the layout stays";
    EXPECT_EQ(first->baselineImage().grid(), original.grid());
    settings.setUiType(1);
    menu.imagePickerController(picker, delivered, {});
    ASSERT_NE(menu.photoViewController(), nullptr);
    EXPECT_EQ(menu.photoViewController()->layoutName(), PhotoViewController::kPhotoView);
    EXPECT_EQ(stack.viewControllers(),
              (QList<ViewController *>{&menu, menu.photoViewController()}));
}

} // namespace

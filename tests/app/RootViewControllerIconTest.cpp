#include "../platform/PlatformTestSupport.h"

#include "ImageTableViewCell.h"
#include "ImageView.h"
#include "RootViewController.h"

namespace {

// A row of the menu and its icon's file.
using RootViewControllerIcon = ::testing::TestWithParam<std::tuple<int, int, const char *>>;

// A row's icon has see-through corners (the row shows through them, not black) and a file
// twice its size for high-density screens, itself with see-through corners.
TEST_P(RootViewControllerIcon, ShowsTheRowThroughItsCornersAndHasADoubleSizeFile)
{
    const auto [section, row, file] = GetParam();
    SCOPED_TRACE(file);
    RootViewController menu;
    ImageTableViewCell *cell = menu.cell({section, row});
    ASSERT_NE(cell, nullptr);
    cell->resize(320, ImageTableViewCell::Height);
    const QImage shown = cell->grab().toImage();
    const QPoint corner = cell->imageView()->geometry().topLeft();
    const QRgb background = shown.pixel(corner - QPoint(2, 0));
    EXPECT_EQ(shown.pixel(corner), background) << "top-left corner";
    EXPECT_EQ(shown.pixel(corner + QPoint(31, 31)), background) << "bottom-right corner";
    EXPECT_NE(shown.pixel(corner + QPoint(16, 2)), background) << "no icon drawn";

    const QString name = QStringLiteral(":/icons/%1").arg(QLatin1String(file));
    const QImage single(name + QStringLiteral(".png")), twice(name + QStringLiteral("@2x.png"));
    ASSERT_FALSE(twice.isNull()) << "no @2x file";
    EXPECT_EQ(twice.size(), single.size() * 2);
    EXPECT_EQ(qAlpha(twice.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(twice.pixel(twice.width() - 1, twice.height() - 1)), 0);
}

INSTANTIATE_TEST_SUITE_P(Menu, RootViewControllerIcon,
                         ::testing::Values(std::tuple{1, 0, "camera"},
                                           std::tuple{1, 1, "saved-photos"},
                                           std::tuple{1, 2, "photo-library"},
                                           std::tuple{2, 0, "settings"}, std::tuple{2, 1, "help"},
                                           std::tuple{2, 2, "about"}));

} // namespace

#include "ImageView.h"
#include "PlatformTestSupport.h"

#include <QTransform>

namespace {

using Mode = ImageView::ContentMode;

// The upright picture: red, green, blue and white quadrants, twice as wide as tall.
const QImage upright = TestImages::quadrants(40, 20);

// The stored grid that `orientation` turns into `upright`, found among the eight turns and
// mirrors of it by what Picture::upright() makes of each.
QImage storedFor(Picture::Orientation orientation)
{
    for (int quarterTurns = 0; quarterTurns < 4; ++quarterTurns)
        for (bool mirrored : {false, true}) {
            QImage grid = upright.transformed(QTransform().rotate(90 * quarterTurns));
            if (mirrored)
                grid = grid.mirrored(true, false);
            if (Picture(grid, orientation).upright().grid() == upright)
                return grid;
        }
    return {};
}

// A mode and where it puts the upright picture in an 80 x 80 view, worked by hand; an orientation.
using ImageViewModes = ::testing::TestWithParam<std::tuple<std::pair<Mode, QRectF>, int>>;

TEST_P(ImageViewModes, SizeToTheUprightPictureTakeNoTouchesAndDrawWhereTheModePutsIt)
{
    const auto [shown, orientation] = GetParam();
    const QImage grid = storedFor(Picture::Orientation(orientation));
    ImageView view(Picture(grid, Picture::Orientation(orientation)));
    EXPECT_EQ(view.size(), QSize(40, 20));
    EXPECT_TRUE(view.testAttribute(Qt::WA_TransparentForMouseEvents));
    view.setContentMode(shown.first);
    view.resize(80, 80);
    const QImage drawn = renderedAlone(&view);
    const QRectF &r = shown.second;
    // Inside the picture, and near the view's corners and an edge: the quadrant there, or nothing.
    QList<QPoint> points{{2, 2}, {77, 77}, {30, 5}};
    for (QPointF f : {QPointF(0.4, 0.3), {0.6, 0.3}, {0.4, 0.7}, {0.6, 0.7}})
        points << QPointF(r.x() + f.x() * r.width(), r.y() + f.y() * r.height()).toPoint();
    for (QPoint p : points) {
        const bool right = p.x() > r.center().x(), bottom = p.y() > r.center().y();
        const QRgb expected = r.contains(p) ? upright.pixel(right ? 39 : 0, bottom ? 19 : 0) : 0;
        EXPECT_EQ(drawn.pixel(p), expected) << p.x() << "," << p.y();
    }
}

INSTANTIATE_TEST_SUITE_P(
    ImageView, ImageViewModes,
    // The modes the screens use; the editor's own is checked through the editor.
    ::testing::Combine(::testing::Values(std::pair{Mode::ScaleToFill, QRectF(0, 0, 80, 80)},
                                         std::pair{Mode::ScaleAspectFit, QRectF(0, 20, 80, 40)}),
                       ::testing::Range(0, 8)));

} // namespace

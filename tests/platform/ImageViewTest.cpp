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

struct Shown
{
    Mode mode;
    QRectF picture; // where the upright picture lands in an 80 x 80 view, worked by hand
};

class ImageViewModes : public ::testing::TestWithParam<std::tuple<Shown, int>>
{
};

TEST_P(ImageViewModes, DrawUprightWhereTheModePutsIt)
{
    const auto [shown, orientation] = GetParam();
    const QImage grid = storedFor(Picture::Orientation(orientation));
    ASSERT_FALSE(grid.isNull());
    ImageView view(Picture(grid, Picture::Orientation(orientation)));
    view.setContentMode(shown.mode);
    view.resize(80, 80);
    const QImage drawn = renderedAlone(&view);
    const QRectF &r = shown.picture;
    const auto at = [&](qreal fx, qreal fy) {
        return drawn.pixel(QPointF(r.x() + fx * r.width(), r.y() + fy * r.height()).toPoint());
    };
    EXPECT_EQ(at(0.4, 0.3), qRgb(255, 0, 0));
    EXPECT_EQ(at(0.6, 0.3), qRgb(0, 255, 0));
    EXPECT_EQ(at(0.4, 0.7), qRgb(0, 0, 255));
    EXPECT_EQ(at(0.6, 0.7), qRgb(255, 255, 255));
    // Near the view's corners and edge: the quadrant there, or nothing outside the picture.
    for (QPoint p : {QPoint(2, 2), QPoint(77, 77), QPoint(30, 5)}) {
        QRgb expected = 0;
        if (r.contains(p)) {
            const bool right = p.x() > r.center().x(), bottom = p.y() > r.center().y();
            expected = upright.pixel(right ? 39 : 0, bottom ? 19 : 0);
        }
        EXPECT_EQ(drawn.pixel(p), expected) << p.x() << "," << p.y();
    }
}

INSTANTIATE_TEST_SUITE_P(
    ImageView, ImageViewModes,
    ::testing::Combine(::testing::Values(Shown{Mode::ScaleToFill, {0, 0, 80, 80}},
                                         Shown{Mode::ScaleAspectFit, {0, 20, 80, 40}},
                                         Shown{Mode::ScaleAspectFill, {-40, 0, 160, 80}},
                                         Shown{Mode::Center, {20, 30, 40, 20}}),
                       ::testing::Range(0, 8)));

TEST(ImageView, TakesNoTouchesUntilAskedAndSizesToItsPicture)
{
    ImageView view(Picture(TestImages::solid(30, 20, Qt::red), Picture::Left));
    EXPECT_FALSE(View::isUserInteractionEnabled(&view));
    EXPECT_TRUE(view.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(view.size(), QSize(20, 30));
    View::setUserInteractionEnabled(&view, true);
    EXPECT_FALSE(view.testAttribute(Qt::WA_TransparentForMouseEvents));
}

} // namespace

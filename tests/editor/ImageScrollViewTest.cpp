#include "ImageScrollView.h"
#include "EditorTestSupport.h"
#include "ImageView.h"

namespace {

// No screen shows this view; what is left is the reduction and the fit it shows with.
TEST(ImageScrollView, ReducesPicturesOver1024UprightToMultiplesOf4AndFitsThem)
{
    // Single-precision quotients land just under 480 and 360; a sliver keeps 4 pixels.
    for (const auto &[size, reduced] : {std::pair{QSize(1024, 1024), QSize(1024, 1024)},
                                        {QSize(1025, 10), QSize(476, 4)},
                                        {QSize(4000, 3), QSize(480, 4)},
                                        {QSize(2048, 1536), QSize(476, 356)}}) {
        const Picture picture(TestImages::solid(size.width(), size.height(), Qt::gray));
        EXPECT_EQ(ImageScrollView::resizeIfNecessary(picture).grid().size(), reduced)
            << size.width() << "x" << size.height();
    }
    // Stored 1200 x 1600 and turned: reduced upright, each quadrant where it is seen.
    const Picture turned(TestImages::quadrants(1200, 1600), Picture::Right);
    const QImage shown = ImageScrollView::resizeIfNecessary(turned).grid();
    ASSERT_EQ(shown.size(), QSize(480, 360));
    for (const QPoint at : {QPoint(120, 90), QPoint(360, 90), QPoint(120, 270)})
        EXPECT_EQ(shown.pixel(at), turned.upright().grid().pixel(at * 10 / 3)) << at.x();
    ImageScrollView view;
    view.resize(300, 300);
    view.setImage(turned);
    EXPECT_EQ(View::frame(view.imageContent()), QRectF(0, 37.5, 300, 225));
}

} // namespace

#include "ImageScrollView.h"
#include "EditorTestSupport.h"
#include "ImageView.h"

namespace {

Picture grey(QSize size)
{
    return Picture(TestImages::solid(size.width(), size.height(), Qt::gray));
}

TEST(ImageScrollView, ReducesOnlyPicturesOver1024UprightToMultiplesOf4)
{
    const std::pair<QSize, QSize> cases[] = {{{1024, 1024}, {1024, 1024}},
                                             {{1025, 10}, {476, 4}},
                                             {{4000, 3}, {480, 4}},
                                             {{1600, 1200}, {480, 360}},
                                             {{1000, 1100}, {436, 476}},
                                             // single-precision quotients just under 480 and 360
                                             {{2048, 1536}, {476, 356}},
                                             {{1536, 2048}, {356, 476}}};
    for (const auto &[size, reduced] : cases) {
        const Picture picture = grey(size);
        const Picture shown = ImageScrollView::resizeIfNecessary(picture);
        EXPECT_EQ(shown.grid().size(), reduced) << size.width() << "x" << size.height();
        EXPECT_EQ(shown.grid().cacheKey() == picture.grid().cacheKey(), size == reduced);
    }
    // Stored 1200 x 1600 and turned: reduced upright, each quadrant where it is seen.
    const Picture turned(TestImages::quadrants(1200, 1600), Picture::Right);
    const QImage upright = turned.upright().grid();
    const Picture shown = ImageScrollView::resizeIfNecessary(turned);
    ASSERT_EQ(shown.size(), QSizeF(480, 360));
    EXPECT_EQ(shown.orientation(), Picture::Up);
    for (const QPoint at : {QPoint(120, 90), QPoint(360, 90), QPoint(120, 270)})
        EXPECT_EQ(shown.grid().pixel(at), upright.pixel(at * 10 / 3)) << at.x() << "," << at.y();
}

TEST(ImageScrollView, FitsAndCentresThePictureAndPostsASingleTap)
{
    ImageScrollView view;
    view.resize(300, 300);
    const std::pair<QSize, QRectF> cases[] = {{{600, 400}, {0, 50, 300, 200}},
                                              {{400, 600}, {50, 0, 200, 300}},
                                              {{30, 30}, {0, 0, 300, 300}}};
    for (const auto &[size, frame] : cases) {
        view.setImage(grey(size));
        ASSERT_NE(view.imageContent(), nullptr);
        EXPECT_EQ(View::frame(view.imageContent()), frame);
    }
    Recorder posts({"Single Tap"});
    showExposed(&view);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(posts.names, QStringList{"Single Tap"});
}

} // namespace

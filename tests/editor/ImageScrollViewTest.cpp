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
    // Stored 1200 x 1600, left half red: upright it is 1600 x 1200, red along one long side.
    QImage grid = TestImages::solid(1200, 1600, Qt::blue);
    QPainter(&grid).fillRect(0, 0, 600, 1600, Qt::red);
    const QImage upright = Picture(grid, Picture::Right).upright().grid();
    ASSERT_NE(upright.pixel(800, 100), upright.pixel(800, 1100));
    const Picture shown = ImageScrollView::resizeIfNecessary(Picture(grid, Picture::Right));
    ASSERT_EQ(shown.size(), QSizeF(480, 360));
    EXPECT_EQ(shown.orientation(), Picture::Up);
    EXPECT_EQ(shown.grid().pixel(240, 30), upright.pixel(800, 100));
    EXPECT_EQ(shown.grid().pixel(240, 330), upright.pixel(800, 1100));
}

TEST(ImageScrollView, FitsAndCentresThePictureAndPostsASingleTapAsItself)
{
    ImageScrollView view;
    view.resize(300, 300);
    const std::pair<QSize, QRectF> cases[] = {{{600, 400}, {0, 50, 300, 200}},
                                              {{400, 600}, {50, 0, 200, 300}},
                                              {{30, 30}, {0, 0, 300, 300}}};
    for (const auto &[size, frame] : cases) {
        view.setImage(grey(size));
        ASSERT_NE(view.imageContent(), nullptr);
        EXPECT_EQ(view.displaySize(), frame.size());
        EXPECT_EQ(View::frame(view.imageContent()), frame);
    }
    Recorder posts({"Single Tap"});
    showExposed(&view);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(posts.names, QStringList{"Single Tap"});
    EXPECT_EQ(posts.senders.value(0), &view);
}

} // namespace

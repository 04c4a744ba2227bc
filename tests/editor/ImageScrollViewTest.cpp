#include "ImageScrollView.h"
#include "EditorTestSupport.h"
#include "ImageView.h"

namespace {

struct Reduction
{
    QSize picture;
    QSize shown;
};

using ImageScrollReductionTest = ::testing::TestWithParam<Reduction>;

TEST_P(ImageScrollReductionTest, ReducesOnlyPicturesOver1024ToMultiplesOf4)
{
    const Picture picture(
        TestImages::solid(GetParam().picture.width(), GetParam().picture.height(), Qt::gray));
    const Picture shown = ImageScrollView::resizeIfNecessary(picture);
    EXPECT_EQ(shown.grid().size(), GetParam().shown);
    if (GetParam().picture == GetParam().shown) {
        EXPECT_EQ(shown.grid().cacheKey(), picture.grid().cacheKey()) << "the same picture";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ImageScrollReductionTest,
    ::testing::Values(Reduction{{1024, 1024}, {1024, 1024}}, Reduction{{1025, 10}, {476, 4}},
                      Reduction{{4000, 3}, {480, 4}}, Reduction{{1600, 1200}, {480, 360}},
                      // single-precision quotients just under 480 and 360
                      Reduction{{2048, 1536}, {476, 356}}, Reduction{{1536, 2048}, {356, 476}},
                      Reduction{{1000, 1100}, {436, 476}}));

TEST(ImageScrollView, ASidewaysPictureIsReducedUpright)
{
    // Stored 1200 x 1600, left half red: upright it is 1600 x 1200, red along one long side.
    QImage grid = TestImages::solid(1200, 1600, Qt::blue);
    for (int y = 0; y < 1600; ++y)
        for (int x = 0; x < 600; ++x)
            grid.setPixel(x, y, qRgb(255, 0, 0));
    const Picture picture(grid, Picture::Right);
    const QImage upright = picture.upright().grid();
    ASSERT_NE(upright.pixel(800, 100), upright.pixel(800, 1100));

    const Picture shown = ImageScrollView::resizeIfNecessary(picture);
    ASSERT_EQ(shown.size(), QSizeF(480, 360));
    EXPECT_EQ(shown.orientation(), Picture::Up);
    EXPECT_EQ(shown.grid().pixel(240, 30), upright.pixel(800, 100));
    EXPECT_EQ(shown.grid().pixel(240, 330), upright.pixel(800, 1100));
}

struct Fit
{
    QSize picture;
    QRectF frame; // in a 300 x 300 view
};

using ImageScrollFitTest = ::testing::TestWithParam<Fit>;

TEST_P(ImageScrollFitTest, FitsAndCentresThePicture)
{
    ImageScrollView view;
    view.resize(300, 300);
    view.setImage(Picture(
        TestImages::solid(GetParam().picture.width(), GetParam().picture.height(), Qt::gray)));
    ASSERT_NE(view.imageContent(), nullptr);
    EXPECT_EQ(view.displaySize(), GetParam().frame.size());
    EXPECT_EQ(View::frame(view.imageContent()), GetParam().frame);
}

INSTANTIATE_TEST_SUITE_P(Shapes, ImageScrollFitTest,
                         ::testing::Values(Fit{{600, 400}, {0, 50, 300, 200}},
                                           Fit{{400, 600}, {50, 0, 200, 300}},
                                           Fit{{30, 30}, {0, 0, 300, 300}}));

TEST(ImageScrollView, PostsASingleTapAsItself)
{
    Recorder posts({"Single Tap"});
    ImageScrollView view;
    view.resize(200, 200);
    view.setImage(Picture(TestImages::solid(60, 40, Qt::gray)));
    showExposed(&view);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(posts.names, QStringList{"Single Tap"});
    EXPECT_EQ(posts.senders.value(0), &view);
}

} // namespace

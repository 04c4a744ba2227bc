#include <gtest/gtest.h>

#include "ImageResizer.h"
#include "TestImages.h"

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kBlack = qRgb(0, 0, 0);

QImage striped(int w, int h, int from, int to, bool columns, QRgb inside, QRgb outside)
{
    QImage image = TestImages::solid(w, h, outside);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((columns ? x : y) >= from && (columns ? x : y) < to)
                image.setPixel(x, y, inside);
    return image;
}

// --- colorMatch -------------------------------------------------------------------------

struct Fit
{
    int storedWidth, storedHeight;
    Picture::Orientation orientation;
    qreal boxWidth, boxHeight;
    int width, height; // expected
};

class ColorMatchSize : public ::testing::TestWithParam<Fit>
{
};

TEST_P(ColorMatchSize, FitsTheTurnedBox)
{
    const Fit &fit = GetParam();
    const Picture picture(TestImages::solid(fit.storedWidth, fit.storedHeight, Qt::gray),
                          fit.orientation);
    const Picture result = ImageResizer::colorMatch(picture, QSizeF(fit.boxWidth, fit.boxHeight));
    ASSERT_FALSE(result.isNull());
    EXPECT_EQ(result.grid().size(), QSize(fit.width, fit.height));
    EXPECT_EQ(result.orientation(), Picture::Up);
    EXPECT_EQ(result.grid().bytesPerLine(), 4 * fit.width);
}

INSTANTIATE_TEST_SUITE_P(Boxes, ColorMatchSize,
                         ::testing::Values(Fit{2048, 1536, Picture::Up, 1600, 1200, 1600, 1200},
                                           Fit{2048, 1536, Picture::Right, 1600, 1200, 1200, 1600},
                                           Fit{2048, 1536, Picture::Up, 1200, 1600, 1600, 1200},
                                           Fit{1000, 2000, Picture::Up, 1600, 1200, 1000, 2000},
                                           Fit{2048, 1536, Picture::Up, 1024, 768, 1024, 768},
                                           Fit{2000, 1500, Picture::Up, 1024, 768, 1024, 768},
                                           Fit{1999, 1333, Picture::Up, 1024, 768, 1024, 680},
                                           Fit{1999, 1333, Picture::Left, 1024, 768, 680, 1024},
                                           Fit{1601, 1000, Picture::Up, 1600, 1200, 1601, 1000},
                                           Fit{1001, 999, Picture::Up, 0, 0, 1001, 999},
                                           Fit{1001, 999, Picture::RightMirrored, 0, 0, 999, 1001},
                                           Fit{1001, 999, Picture::Up, 640, 0, 1001, 999},
                                           Fit{2448, 3264, Picture::Up, 1600, 1200, 1200, 1600}));

TEST(ColorMatch, RightTaggedTopLeftLandsTopRight)
{
    QImage grid = TestImages::solid(1600, 1200, Qt::gray);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            grid.setPixel(x, y, kRed);
    const Picture result = ImageResizer::colorMatch(Picture(grid, Picture::Right), QSizeF());
    ASSERT_EQ(result.grid().size(), QSize(1200, 1600));
    EXPECT_EQ(result.grid().pixel(1199, 0), kRed);
    EXPECT_EQ(result.grid().pixel(1192, 7), kRed);
    EXPECT_NE(result.grid().pixel(0, 0), kRed);
    EXPECT_NE(result.grid().pixel(1199, 1599), kRed);
}

TEST(ColorMatch, LeavesTheInputAlone)
{
    const QImage grid = TestImages::labelled(8, 4);
    const Picture picture(grid, Picture::Down);
    ImageResizer::colorMatch(picture, QSizeF(4, 4));
    EXPECT_EQ(picture.grid(), grid);
    EXPECT_EQ(picture.orientation(), Picture::Down);
}

// --- resizeImage(aspectRatio) ----------------------------------------------------------

TEST(AspectCrop, MatchingRatioKeepsThePicture)
{
    const QImage grid = TestImages::random(160, 120, 3);
    const Picture result = ImageResizer::resizeImage(Picture(grid), 0.75f);
    EXPECT_EQ(result.grid(), grid);
}

TEST(AspectCrop, SixteenByNineCutsEquallyFromTopAndBottom)
{
    // Rows 0..149 and 1050..1199 are red; only the green middle may survive.
    const Picture picture(striped(1600, 1200, 150, 1050, false, kGreen, kRed));
    const Picture result = ImageResizer::resizeImage(picture, 0.5625f);
    ASSERT_EQ(result.grid().size(), QSize(1600, 900));
    for (int x : {0, 800, 1599}) {
        EXPECT_EQ(result.grid().pixel(x, 0), kGreen);
        EXPECT_EQ(result.grid().pixel(x, 899), kGreen);
    }
}

struct Crop
{
    int w, h;
    float ratio;
    int width, height;
};

class AspectCropSize : public ::testing::TestWithParam<Crop>
{
};

TEST_P(AspectCropSize, TurnsTheRatioToThePicture)
{
    const Crop &c = GetParam();
    const Picture result =
        ImageResizer::resizeImage(Picture(TestImages::solid(c.w, c.h, Qt::gray)), c.ratio);
    EXPECT_EQ(result.grid().size(), QSize(c.width, c.height));
}

INSTANTIATE_TEST_SUITE_P(
    Ratios, AspectCropSize,
    ::testing::Values(Crop{1200, 1200, 0.8f, 960, 1200}, Crop{1200, 1200, 1.0f, 1200, 1200},
                      Crop{1200, 1600, 0.5625f, 900, 1600}, Crop{1600, 1200, 1.0f, 1200, 1200},
                      Crop{1600, 1200, 0.6f, 1600, 960}, Crop{1600, 1200, 2.0f / 3, 1600, 1067}));

TEST(AspectCrop, HonoursTheOrientation)
{
    const QImage grid = TestImages::random(16, 12, 5);
    const Picture picture(grid, Picture::Right);
    const Picture result = ImageResizer::resizeImage(picture, 0.75f);
    EXPECT_EQ(result.grid(), picture.upright().grid());
}

// --- addBorder --------------------------------------------------------------------------

TEST(Border, LevelTwentyPaintsOneHundredSixtyPixelsOnEverySide)
{
    const QRgb grey = qRgb(128, 128, 128);
    const Picture picture(TestImages::solid(1600, 1200, QColor(grey)));
    const Picture result = ImageResizer::addBorder(picture, float(20 / 200.0), Qt::white);
    const QImage &g = result.grid();
    ASSERT_EQ(g.size(), QSize(1600, 1200));
    const QRgb white = qRgb(255, 255, 255);
    // Top, bottom, left and right strips end exactly at 160 pixels.
    EXPECT_EQ(g.pixel(800, 159), white);
    EXPECT_EQ(g.pixel(800, 160), grey);
    EXPECT_EQ(g.pixel(800, 1040), white);
    EXPECT_EQ(g.pixel(800, 1039), grey);
    EXPECT_EQ(g.pixel(159, 600), white);
    EXPECT_EQ(g.pixel(160, 600), grey);
    EXPECT_EQ(g.pixel(1440, 600), white);
    EXPECT_EQ(g.pixel(1439, 600), grey);
    EXPECT_EQ(g.pixel(0, 0), white);
    EXPECT_EQ(g.pixel(1599, 1199), white);
}

TEST(Border, KeepsTheInside)
{
    const QImage grid = TestImages::random(100, 80, 9);
    const Picture result = ImageResizer::addBorder(Picture(grid), 0.1f, Qt::black);
    EXPECT_EQ(result.grid().copy(10, 10, 80, 60), grid.copy(10, 10, 80, 60));
    EXPECT_EQ(result.grid().pixel(9, 40), kBlack);
}

// --- resizeImage(width, height) ---------------------------------------------------------

TEST(ExactSize, ThumbnailKeepsAspectOnBlackBands)
{
    const QRgb colour = qRgb(200, 100, 50);
    const Picture picture(TestImages::solid(1600, 1200, QColor(colour)));
    const Picture result = ImageResizer::resizeImage(picture, 32, 32, true, true);
    ASSERT_EQ(result.grid().size(), QSize(32, 32));
    for (int x : {0, 16, 31}) {
        for (int y = 0; y < 4; ++y) {
            EXPECT_EQ(result.grid().pixel(x, y), kBlack) << y;
            EXPECT_EQ(result.grid().pixel(x, 31 - y), kBlack) << y;
        }
        for (int y = 4; y < 28; ++y)
            EXPECT_EQ(result.grid().pixel(x, y), colour) << y;
    }
}

TEST(ExactSize, PortraitGetsBandsAtTheSides)
{
    const Picture picture(TestImages::solid(1200, 1600, Qt::white));
    const QImage g = ImageResizer::resizeImage(picture, 32, 32, true, false).grid();
    EXPECT_EQ(g.pixel(3, 16), kBlack);
    EXPECT_EQ(g.pixel(4, 16), qRgb(255, 255, 255));
    EXPECT_EQ(g.pixel(27, 16), qRgb(255, 255, 255));
    EXPECT_EQ(g.pixel(28, 16), kBlack);
}

TEST(ExactSize, WithoutKeepingAspectTheWholeSizeIsCovered)
{
    const Picture picture(TestImages::solid(1600, 1200, Qt::white));
    const QImage g = ImageResizer::resizeImage(picture, 32, 32, false, true).grid();
    for (int y : {0, 31})
        EXPECT_EQ(g.pixel(16, y), qRgb(255, 255, 255));
}

TEST(ExactSize, ZeroDimensionGivesNothing)
{
    const Picture picture(TestImages::solid(10, 10, Qt::white));
    EXPECT_TRUE(ImageResizer::resizeImage(picture, 0, 32, true, true).isNull());
    EXPECT_TRUE(ImageResizer::resizeImage(picture, 32, 0, true, true).isNull());
    EXPECT_TRUE(ImageResizer::resizeImage(Picture(), 32, 32, true, true).isNull());
}

// --- clipImage and fullClip -------------------------------------------------------------

TEST(Clip, HalvesTheWindowAroundThePoint)
{
    // Green exactly on the window (672, 504, 256, 192): any pixel of red in the result
    // means the window is off.
    QImage grid = TestImages::solid(1600, 1200, QColor(kRed));
    for (int y = 504; y < 696; ++y)
        for (int x = 672; x < 928; ++x)
            grid.setPixel(x, y, kGreen);
    const Picture result = ImageResizer::clipImage(Picture(grid), QPointF(800, 600), 128, 96);
    ASSERT_EQ(result.grid().size(), QSize(128, 96));
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 128; ++x)
            ASSERT_EQ(result.grid().pixel(x, y), kGreen) << x << "," << y;
}

TEST(Clip, SmallPictureFallsBackToTheWidenedCentredWindow)
{
    // 200 x 100 into 128 x 96: window (33.5, 0, 133, 100) widens to columns 33..166.
    QImage grid = striped(200, 100, 34, 166, true, kGreen, kRed);
    for (int y = 0; y < 100; ++y) {
        grid.setPixel(33, y, kBlue);
        grid.setPixel(166, y, kBlue);
    }
    const QImage g = ImageResizer::clipImage(Picture(grid), QPointF(0, 0), 128, 96).grid();
    ASSERT_EQ(g.size(), QSize(128, 96));
    for (int y : {0, 50, 95}) {
        EXPECT_GT(qBlue(g.pixel(0, y)), qGreen(g.pixel(0, y)));
        EXPECT_GT(qBlue(g.pixel(127, y)), qGreen(g.pixel(127, y)));
        EXPECT_EQ(qRed(g.pixel(0, y)), 0);
        EXPECT_EQ(qRed(g.pixel(127, y)), 0);
        EXPECT_EQ(g.pixel(64, y), kGreen);
    }
}

TEST(Clip, WindowCutShortAtTheEdgeIsStretched)
{
    // Centre near the bottom-right corner: the window keeps only what lies inside.
    QImage grid = TestImages::solid(400, 400, QColor(kGreen));
    const Picture result = ImageResizer::clipImage(Picture(grid), QPointF(390, 390), 50, 50);
    ASSERT_EQ(result.grid().size(), QSize(50, 50));
    EXPECT_EQ(result.grid().pixel(49, 49), kGreen);
}

TEST(FullClip, CopiesTheWindowAtFullScale)
{
    const QImage grid = TestImages::random(1600, 1200, 11);
    const Picture result = ImageResizer::fullClip(Picture(grid), QPointF(800, 600), 128, 96);
    EXPECT_EQ(result.grid(), grid.copy(736, 552, 128, 96));
}

TEST(FullClip, NegativeCornerIsRaisedToZero)
{
    const QImage grid = TestImages::random(300, 300, 12);
    const Picture result = ImageResizer::fullClip(Picture(grid), QPointF(10, 20), 128, 96);
    EXPECT_EQ(result.grid(), grid.copy(0, 0, 128, 96));
}

TEST(FullClip, FallbackWindowIsFlushWithTheFarEdge)
{
    // 100 x 50 into 128 x 96: cw = 66, window (34, 0, 66, 50).
    const QImage grid = striped(100, 50, 34, 100, true, kGreen, kRed);
    const QImage g = ImageResizer::fullClip(Picture(grid), QPointF(), 128, 96).grid();
    ASSERT_EQ(g.size(), QSize(128, 96));
    EXPECT_EQ(g.pixel(0, 48), kGreen);
    EXPECT_EQ(g.pixel(127, 48), kGreen);
}

// --- drawImage --------------------------------------------------------------------------

TEST(DrawTurned, NoTurnAtTheCentreIsACopy)
{
    const QImage grid = TestImages::random(40, 40, 13);
    const Picture result =
        ImageResizer::drawImage(Picture(grid), QSizeF(40, 40), QPointF(20, 20), 1, 0);
    EXPECT_EQ(result.grid(), grid);
}

TEST(DrawTurned, QuarterTurnIsClockwise)
{
    const QImage grid = TestImages::random(40, 40, 14);
    const Picture result =
        ImageResizer::drawImage(Picture(grid), QSizeF(40, 40), QPointF(20, 20), 1, float(M_PI / 2));
    // Turned clockwise: what a right-tagged picture looks like upright.
    EXPECT_EQ(result.grid(), Picture(grid, Picture::Right).upright().grid());
}

TEST(DrawTurned, ScaleActsAboutTheBottomLeftOrigin)
{
    const Picture picture(TestImages::solid(40, 40, Qt::white));
    const QImage g =
        ImageResizer::drawImage(picture, QSizeF(40, 40), QPointF(20, 20), 0.5f, 0).grid();
    EXPECT_EQ(g.pixel(5, 35), qRgb(255, 255, 255));
    EXPECT_EQ(g.pixel(35, 5), kBlack);
    EXPECT_EQ(g.pixel(5, 5), kBlack);
}

} // namespace

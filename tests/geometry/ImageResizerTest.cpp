#include <gtest/gtest.h>

#include "ImageResizer.h"
#include "TestImages.h"

namespace {

const QRgb kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 255, 0), kBlue = qRgb(0, 0, 255);
const QRgb kBlack = qRgb(0, 0, 0), kWhite = qRgb(255, 255, 255);

// A w x h picture in one colour, with a rectangle in another.
QImage painted(int w, int h, QRgb colour, const QRect &rect = QRect(), QRgb inside = 0)
{
    QImage image = TestImages::solid(w, h, QColor(colour));
    QPainter(&image).fillRect(rect, QColor(inside));
    return image;
}

TEST(ImageResizer, ColorMatchFitsTheBoxTurnedToThePicture)
{
    // Stored size, tag and box, and the size colorMatch gives.
    for (const auto &[w, h, tag, box, fitted] :
         {std::tuple{2048, 1536, Picture::Up, QSizeF(1600, 1200), QSize(1600, 1200)},
          // 1367 / 1.953125 is 699.9: truncated to 699, then 696 (rounded, 700 would stay).
          {2000, 1367, Picture::Up, QSizeF(1024, 768), QSize(1024, 696)},
          {2000, 1367, Picture::Left, QSizeF(1024, 768), QSize(696, 1024)},
          {1601, 1000, Picture::Up, QSizeF(1600, 1200), QSize(1601, 1000)},
          {1001, 999, Picture::Up, QSizeF(640, 0), QSize(1001, 999)},
          {2448, 3264, Picture::Up, QSizeF(1600, 1200), QSize(1200, 1600)}}) {
        const Picture picture(TestImages::solid(w, h, Qt::gray), tag);
        const Picture matched = ImageResizer::colorMatch(picture, box);
        EXPECT_EQ(matched.grid().size(), fitted) << w << "x" << h;
        // Upright at its size already: handed back as it is, without a second picture's memory.
        EXPECT_EQ(matched.grid().constBits() == picture.grid().constBits(),
                  tag == Picture::Up && fitted == QSize(w, h))
            << w << "x" << h;
    }
}

// The centre crop to a ratio, turned to the picture: picture size, ratio, crop size.
TEST(ImageResizer, AspectCropTurnsTheRatioToThePictureAndCutsBothEndsEqually)
{
    // Ratios of at most 1 on square pictures are the catalogue's print formats' cases.
    for (const auto &[w, h, ratio, crop] : {std::tuple{1600, 1200, 0.6f, QSize(1600, 960)},
                                            {1600, 1200, 2.0f / 3, QSize(1600, 1067)},
                                            {1600, 1200, 4.0f / 3, QSize(1600, 1200)},
                                            {1200, 1600, 16.0f / 9, QSize(900, 1600)},
                                            {1200, 1200, 1.25f, QSize(1200, 960)}}) {
        const Picture picture(TestImages::solid(w, h, Qt::gray));
        EXPECT_EQ(ImageResizer::resizeImage(picture, ratio).grid().size(), crop) << ratio;
    }
    // Rows 150..1049 are green between red: a 16:9 crop keeps only green.
    const QImage banded = painted(1600, 1200, kRed, QRect(0, 150, 1600, 900), kGreen);
    EXPECT_EQ(ImageResizer::resizeImage(Picture(banded), 0.5625f).grid(),
              painted(1600, 900, kGreen));
    // A ratio the upright picture already has copies its pixels exactly.
    const Picture sideways(TestImages::random(16, 12, 5), Picture::Right);
    EXPECT_EQ(ImageResizer::resizeImage(sideways, 0.75f).grid(), sideways.upright().grid());
}

// A border is the level's two-hundredths of the picture's width on all four sides, the right
// one from the right edge, landscape or portrait, even or odd; an exact size fits on black
// bands (the picture's side truncated, then centred) or stretches.
TEST(ImageResizer, BordersAndExactSizes)
{
    for (const auto &[w, h, level, t] :
         {std::tuple{1600, 1200, 20, 160}, {600, 1001, 10, 30}, {1000, 601, 7, 35}}) {
        const QImage grid = TestImages::random(w, h, 9);
        const QImage g =
            ImageResizer::addBorder(Picture(grid), float(level / 200.0), Qt::white).grid();
        const QRect inside(t, t, w - 2 * t, h - 2 * t);
        EXPECT_EQ(g.copy(inside), grid.copy(inside)) << w << "x" << h;
        for (QPoint p : {QPoint(t - 1, h / 2), QPoint(w - t, h / 2), QPoint(w / 2, t - 1),
                         QPoint(w / 2, h - t), QPoint(0, 0), QPoint(w - 1, h - 1)})
            EXPECT_EQ(g.pixel(p), kWhite) << w << "x" << h << " at " << p.x() << "," << p.y();
    }
    const QRgb c = qRgb(200, 100, 50);
    const Picture landscape(painted(1600, 1200, c)), portrait(painted(1200, 1600, c));
    // At 4:3, 33 x 33 holds 33 x 24 (24.75 truncated) 4 rows up from the bottom, where the
    // canvas counts from, or 4 columns from the left.
    EXPECT_EQ(ImageResizer::resizeImage(landscape, 33, 33, true, true).grid(),
              painted(33, 33, kBlack, QRect(0, 5, 33, 24), c));
    EXPECT_EQ(ImageResizer::resizeImage(portrait, 33, 33, true, false).grid(),
              painted(33, 33, kBlack, QRect(4, 0, 24, 33), c));
    EXPECT_EQ(ImageResizer::resizeImage(landscape, 32, 32, false, true).grid(), painted(32, 32, c));
    EXPECT_TRUE(ImageResizer::resizeImage(Picture(), 32, 32, true, true).isNull());
}

TEST(Clip, ShowsTwiceTheSizeAroundThePointOrTheWidenedCentredWindow)
{
    // Green exactly on the window that should be shown (twice the size, or at full scale):
    // any red in the result means it is off.
    for (const auto &[size, window, at, full] :
         {std::tuple{QSize(1600, 1200), QRect(672, 504, 256, 192), QPointF(800, 600), false},
          // A grid exactly the window's size: centred on the point, cut at the far edges.
          {QSize(256, 192), QRect(72, 54, 184, 138), QPointF(200, 150), false},
          {QSize(128, 96), QRect(36, 32, 92, 64), QPointF(100, 80), true},
          // Near the corner: what lies inside, stretched.
          {QSize(400, 400), QRect(262, 294, 138, 106), QPointF(390, 390), false},
          // Too small at full scale: flush with the far edge, 66 columns wide.
          {QSize(100, 50), QRect(34, 0, 66, 50), QPointF(), true}}) {
        const Picture grid(painted(size.width(), size.height(), kRed, window, kGreen));
        EXPECT_EQ(
            (full ? ImageResizer::fullClip : ImageResizer::clipImage)(grid, at, 128, 96).grid(),
            painted(128, 96, kGreen))
            << size.width() << (full ? " full" : "");
    }
    // 200 x 100 into 128 x 96: the window (33.5, 0, 133, 100) widens to columns 33..166,
    // blue at both ends, with no red beyond.
    QImage small = painted(200, 100, kRed, QRect(33, 0, 134, 100), kBlue);
    QPainter(&small).fillRect(34, 0, 132, 100, Qt::green);
    const QImage g = ImageResizer::clipImage(Picture(small), QPointF(), 128, 96).grid();
    for (int x : {0, 127})
        EXPECT_TRUE(qRed(g.pixel(x, 50)) == 0 && qBlue(g.pixel(x, 50)) > qGreen(g.pixel(x, 50)));
    EXPECT_EQ(g.pixel(64, 50), kGreen);
    // At full scale, copied from the point, or from zero near it.
    const Picture random(TestImages::random(1600, 1200, 11));
    EXPECT_EQ(ImageResizer::fullClip(random, QPointF(800, 600), 128, 96).grid(),
              random.grid().copy(736, 552, 128, 96));
    EXPECT_EQ(ImageResizer::fullClip(random, QPointF(10, 20), 128, 96).grid(),
              random.grid().copy(0, 0, 128, 96));
    // A window wholly beyond the grid, however far, cuts nothing and leaves the canvas black.
    const Picture green(painted(400, 400, kGreen));
    for (QPointF far : {QPointF(3e9, 10), QPointF(10, 3e9), QPointF(1e12, 1e12)}) {
        EXPECT_EQ(ImageResizer::clipImage(green, far, 50, 50).grid(), painted(50, 50, kBlack));
        EXPECT_EQ(ImageResizer::fullClip(green, far, 50, 50).grid(), painted(50, 50, kBlack));
    }
}

} // namespace

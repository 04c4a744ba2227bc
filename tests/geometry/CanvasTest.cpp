#include <gtest/gtest.h>

#include "Canvas.h"
#include "TestImages.h"

namespace {

TEST(Canvas, StartsBlackInTheEngineLayout)
{
    Canvas canvas(6, 4);
    const Picture picture = canvas.picture();
    ASSERT_EQ(picture.grid().format(), QImage::Format_RGB32);
    ASSERT_EQ(picture.grid().bytesPerLine(), 6 * 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(qRed(picture.grid().pixel(x, y)) + qGreen(picture.grid().pixel(x, y)) +
                          qBlue(picture.grid().pixel(x, y)),
                      0);
}

TEST(Canvas, ZeroOrHugeSizeGivesNoPicture)
{
    EXPECT_TRUE(Canvas(0, 10).picture().isNull());
    EXPECT_TRUE(Canvas(10, -1).picture().isNull());
    Canvas huge(1 << 30, 1 << 30);
    huge.fillRect(QRectF(0, 0, 10, 10), Qt::red);
    EXPECT_TRUE(huge.picture().isNull());
}

TEST(Canvas, BottomUpOriginIsTheBottomLeftCorner)
{
    Canvas canvas(10, 8);
    canvas.fillRect(QRectF(0, 0, 3, 2), Qt::red);
    const QImage grid = canvas.picture().grid();
    EXPECT_EQ(grid.pixel(0, 7), qRgb(255, 0, 0));
    EXPECT_EQ(grid.pixel(2, 6), qRgb(255, 0, 0));
    EXPECT_EQ(grid.pixel(3, 7), qRgb(0, 0, 0));
    EXPECT_EQ(grid.pixel(0, 5), qRgb(0, 0, 0));
    EXPECT_EQ(grid.pixel(0, 0), qRgb(0, 0, 0));
}

TEST(Canvas, TopDownOriginIsTheTopLeftCorner)
{
    Canvas canvas(10, 8, Canvas::TopDown);
    canvas.fillRect(QRectF(0, 0, 3, 2), Qt::red);
    const QImage grid = canvas.picture().grid();
    EXPECT_EQ(grid.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(grid.pixel(2, 1), qRgb(255, 0, 0));
    EXPECT_EQ(grid.pixel(0, 2), qRgb(0, 0, 0));
}

TEST(Canvas, TransformSetLastActsFirst)
{
    // translate(10, 0) then rotate(90): the unit square at (1, 0)-(2, 1) turns to
    // (-1, 1)-(0, 2) and then moves to (9, 1)-(10, 2).
    Canvas canvas(12, 4);
    canvas.translate(10, 0);
    canvas.rotate(90);
    canvas.fillRect(QRectF(1, 0, 1, 1), Qt::red);
    const QImage grid = canvas.picture().grid();
    // Bottom-up (9, 1) is the pixel in column 9, row 4 - 1 - 1 = 2.
    EXPECT_EQ(grid.pixel(9, 2), qRgb(255, 0, 0));
    int red = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 12; ++x)
            red += grid.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_EQ(red, 1);
}

TEST(Canvas, DrawsTheGridAsStoredWithItsTopRowUp)
{
    const QImage grid = TestImages::labelled(5, 4);
    Canvas canvas(5, 4);
    canvas.drawGrid(grid, QRectF(0, 0, 5, 4));
    EXPECT_EQ(canvas.picture().grid(), grid);
}

TEST(Canvas, FillsPaths)
{
    Canvas canvas(20, 20, Canvas::TopDown);
    QPainterPath path;
    path.addEllipse(QRectF(5, 5, 10, 10));
    canvas.fillPath(path, Qt::white);
    const QImage grid = canvas.picture().grid();
    EXPECT_EQ(grid.pixel(10, 10), qRgb(255, 255, 255));
    EXPECT_EQ(grid.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(grid.pixel(1, 18), qRgb(0, 0, 0));
}

TEST(Canvas, ReductionsAreFiltered)
{
    // A one-pixel checkerboard reduced four times must come out grey, not black or white.
    Canvas canvas(50, 50);
    canvas.drawGrid(TestImages::checkerboard(200, 200), QRectF(0, 0, 50, 50));
    const QImage grid = canvas.picture().grid();
    for (int y = 0; y < 50; y += 7)
        for (int x = 0; x < 50; x += 7)
            EXPECT_NEAR(qGray(grid.pixel(x, y)), 128, 16) << x << "," << y;
}

TEST(Canvas, TurnedReductionsAreFiltered)
{
    Canvas canvas(60, 60);
    canvas.translate(30, 0);
    canvas.rotate(30);
    canvas.drawGrid(TestImages::checkerboard(200, 200), QRectF(0, 0, 30, 30));
    const QImage grid = canvas.picture().grid();
    // The square's centre (15, 15) turned 30 degrees lands at (35.5, 20.5) bottom-up.
    EXPECT_NEAR(qGray(grid.pixel(35, 39)), 128, 20);
}

} // namespace

#include <gtest/gtest.h>

#include "Canvas.h"
#include "TestImages.h"

namespace {

QImage redOnBlack(int w, int h, const QRect &red)
{
    QImage image = TestImages::solid(w, h, Qt::black);
    QPainter(&image).fillRect(red, Qt::red);
    return image;
}

TEST(Canvas, StartsBlackWithItsOriginAndAppliesTheLastTransformFirst)
{
    // Bad sizes give a null canvas that draws nothing.
    Canvas huge(1 << 30, 1 << 30);
    huge.fillRect(QRectF(0, 0, 10, 10), Qt::red);
    EXPECT_TRUE(huge.painter() == nullptr && huge.picture().isNull());
    Canvas bottomUp(10, 8), topDown(10, 8, Canvas::TopDown), turned(12, 4);
    bottomUp.fillRect(QRectF(0, 0, 3, 2), Qt::red);
    topDown.fillRect(QRectF(0, 0, 3, 2), Qt::red);
    // (1, 0)-(2, 1) turns to (-1, 1)-(0, 2), then moves to (9, 1)-(10, 2): stored row 2.
    turned.translate(10, 0);
    turned.rotate(90);
    turned.fillRect(QRectF(1, 0, 1, 1), Qt::red);
    EXPECT_EQ(bottomUp.picture().grid(), redOnBlack(10, 8, QRect(0, 6, 3, 2)));
    EXPECT_EQ(topDown.picture().grid(), redOnBlack(10, 8, QRect(0, 0, 3, 2)));
    EXPECT_EQ(turned.picture().grid(), redOnBlack(12, 4, QRect(9, 2, 1, 1)));
}

// How far from mid grey the canvas is at `count` points from `from` in steps of `step`.
int farthestFromGrey(Canvas &canvas, QPointF from, QPointF step, int count = 1)
{
    const QImage grid = canvas.picture().grid();
    int farthest = 0;
    for (int i = 0; i < count; ++i)
        farthest =
            std::max(farthest, std::abs(qGray(grid.pixel((from + i * step).toPoint())) - 128));
    return farthest;
}

// A one-pixel checkerboard reduced in one direction only, straight or turned, must come out
// grey, not black or white.
TEST(Canvas, ReductionsOnOneAxisAreFilteredStraightAndTurned)
{
    QImage board(200, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            board.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    Canvas flat(200, 60), turnedFlat(250, 250);
    flat.drawGrid(board, QRectF(0, 0, 200, 60));
    turnedFlat.translate(50, 0);
    turnedFlat.rotate(30);
    turnedFlat.drawGrid(board, QRectF(0, 0, 200, 50));
    EXPECT_LE(farthestFromGrey(flat, {0, 30}, {9, 0}, 23), 40); // 10 / 3 rows a pixel
    // The 200 x 50 rectangle's centre turned 30 degrees lands at (124.1, 71.7) bottom-up;
    // its long side runs along (cos 30, sin 30).
    EXPECT_LE(farthestFromGrey(turnedFlat, {124.1 - 69.28, 178.3 + 40}, {8.66, -5}, 17), 24);
}

} // namespace

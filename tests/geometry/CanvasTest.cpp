#include <gtest/gtest.h>

#include <vector>

#include "Canvas.h"
#include "TestImages.h"

namespace {

QImage redOnBlack(int w, int h, const QRect &red)
{
    QImage image = TestImages::solid(w, h, Qt::black);
    QPainter(&image).fillRect(red, Qt::red);
    return image;
}

TEST(Canvas, BadSizesGiveANullCanvasThatDrawsNothing)
{
    EXPECT_TRUE(Canvas(0, 10).picture().isNull());
    EXPECT_TRUE(Canvas(10, -1).picture().isNull());
    Canvas huge(1 << 30, 1 << 30);
    huge.fillRect(QRectF(0, 0, 10, 10), Qt::red);
    EXPECT_EQ(huge.painter(), nullptr);
    EXPECT_TRUE(huge.picture().isNull());
}

TEST(Canvas, StartsBlackWithItsOriginAndAppliesTheLastTransformFirst)
{
    Canvas bottomUp(10, 8), topDown(10, 8, Canvas::TopDown), turned(12, 4), round(20, 20);
    bottomUp.fillRect(QRectF(0, 0, 3, 2), Qt::red);
    topDown.fillRect(QRectF(0, 0, 3, 2), Qt::red);
    // (1, 0)-(2, 1) turns to (-1, 1)-(0, 2), then moves to (9, 1)-(10, 2): stored row 2.
    turned.translate(10, 0);
    turned.rotate(90);
    turned.fillRect(QRectF(1, 0, 1, 1), Qt::red);
    EXPECT_EQ(bottomUp.picture().grid(), redOnBlack(10, 8, QRect(0, 6, 3, 2)));
    EXPECT_EQ(topDown.picture().grid(), redOnBlack(10, 8, QRect(0, 0, 3, 2)));
    EXPECT_EQ(turned.picture().grid(), redOnBlack(12, 4, QRect(9, 2, 1, 1)));
    QPainterPath circle;
    circle.addEllipse(QRectF(5, 5, 10, 10));
    round.fillPath(circle, Qt::red);
    EXPECT_EQ(round.picture().grid().pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(round.picture().grid().copy(7, 7, 6, 6), redOnBlack(6, 6, QRect(0, 0, 6, 6)));
}

// The farthest grey level from mid grey at the points.
int farthestFromGrey(Canvas &canvas, const std::vector<QPointF> &points)
{
    const QImage grid = canvas.picture().grid();
    int farthest = 0;
    for (QPointF p : points)
        farthest = std::max(farthest, std::abs(qGray(grid.pixel(p.toPoint())) - 128));
    return farthest;
}

TEST(Canvas, ReductionsAreFilteredStraightAndTurnedOnEitherAxis)
{
    // A one-pixel checkerboard reduced in both directions or in height only
    // must come out grey, not black or white.
    QImage board(200, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            board.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    Canvas both(50, 50), flat(200, 60), turned(60, 60), turnedFlat(250, 250);
    both.drawGrid(board, QRectF(0, 0, 50, 50));
    flat.drawGrid(board, QRectF(0, 0, 200, 60));
    turned.translate(30, 0);
    turned.rotate(30);
    turned.drawGrid(board, QRectF(0, 0, 30, 30));
    turnedFlat.translate(50, 0);
    turnedFlat.rotate(30);
    turnedFlat.drawGrid(board, QRectF(0, 0, 200, 50));
    std::vector<QPointF> diagonal, row, alongTurned;
    for (int i = 0; i < 50; i += 7)
        diagonal.emplace_back(i, 49 - i);
    for (int i = 0; i < 200; i += 9)
        row.emplace_back(i, 30);
    // The 200 x 50 rectangle's centre turned 30 degrees lands at (124.1, 71.7) bottom-up;
    // its long side runs along (cos 30, sin 30).
    for (int k = -80; k <= 80; k += 10)
        alongTurned.push_back(QPointF(124.1 + 0.866 * k, 250 - 71.7 - 0.5 * k));
    EXPECT_LE(farthestFromGrey(both, diagonal), 16);
    EXPECT_LE(farthestFromGrey(flat, row), 40); // 10 / 3 rows a pixel: weights differ
    // The square's centre (15, 15) turned 30 degrees lands at (35.5, 20.5) bottom-up.
    EXPECT_LE(farthestFromGrey(turned, {QPointF(35, 39)}), 20);
    EXPECT_LE(farthestFromGrey(turnedFlat, alongTurned), 24);
}

} // namespace

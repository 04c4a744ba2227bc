#include <gtest/gtest.h>

#include "Canvas.h"
#include "ImageResizer.h"
#include "TestImages.h"

namespace {

// The stored 3 x 2 grid "abc/def" as each tag, 0 to 7, shows it upright; worked out by hand.
const char *const kUpright[] = {"abc/def", "fed/cba", "cf/be/ad", "da/eb/fc",
                                "cba/fed", "def/abc", "ad/be/cf", "fc/eb/da"};

// The rows spelled with the pixels a..f of TestImages::labelled(3, 2).
QImage spelled(const char *rows)
{
    const QImage grid = TestImages::labelled(3, 2);
    const QList<QByteArray> lines = QByteArray(rows).split('/');
    QImage image(int(lines[0].size()), int(lines.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, grid.pixel((lines[y][x] - 'a') % 3, (lines[y][x] - 'a') / 3));
    return image;
}

using Upright = ::testing::TestWithParam<int>;

TEST_P(Upright, EveryPathTurnsTheGridUpright)
{
    const QImage want = spelled(kUpright[GetParam()]);
    const Picture picture(TestImages::labelled(3, 2), Picture::Orientation(GetParam()));
    EXPECT_EQ(picture.upright().grid(), want);
    EXPECT_EQ(picture.upright().orientation(), Picture::Up);
    Canvas canvas(want.width(), want.height(), Canvas::TopDown);
    canvas.drawPicture(picture, QRectF(QPointF(), picture.size()));
    EXPECT_EQ(canvas.picture().grid(), want);
    EXPECT_EQ(ImageResizer::colorMatch(picture, QSizeF()).grid(), want);
    // 8-pixel blocks reduced to half in a box: every block becomes a uniform 4 x 4.
    const Picture blocks(picture.grid().scaled(24, 16), picture.orientation());
    EXPECT_EQ(ImageResizer::colorMatch(blocks, QSizeF(8, 12)).grid(), want.scaled(want.size() * 4));
}

INSTANTIATE_TEST_SUITE_P(AllEight, Upright, ::testing::Range(0, 8));

TEST(Picture, TakesAnUnknownTagAsUp)
{
    EXPECT_EQ(Picture(TestImages::solid(5, 3, Qt::red), Picture::Orientation(9)).orientation(),
              Picture::Up);
}

} // namespace

#include <vector>

#include <gtest/gtest.h>

#include "Canvas.h"
#include "ImageResizer.h"
#include "ImageUtils.h"
#include "Picture.h"
#include "TestImages.h"

namespace {

// A stored 3 x 2 grid   a b c
//                       d e f
// seen upright under each orientation, written out by hand from what each tag means.
struct Upright
{
    Picture::Orientation orientation;
    const char *rows; // upright rows, separated by '/'
};

const Upright kUpright[] = {
    {Picture::Up, "abc/def"},
    {Picture::Down, "fed/cba"},
    {Picture::Left, "cf/be/ad"},
    {Picture::Right, "da/eb/fc"},
    {Picture::UpMirrored, "cba/fed"},
    {Picture::DownMirrored, "def/abc"},
    {Picture::LeftMirrored, "ad/be/cf"},
    {Picture::RightMirrored, "fc/eb/da"},
};

// The stored pixel a letter names.
QRgb stored(const QImage &grid, char letter)
{
    const int index = letter - 'a';
    return grid.pixel(index % 3, index / 3);
}

void expectUpright(const Picture &result, const QImage &grid, const char *rows, int block = 1)
{
    ASSERT_FALSE(result.isNull());
    EXPECT_EQ(result.orientation(), Picture::Up);
    int x = 0, y = 0;
    for (const char *c = rows; *c; ++c) {
        if (*c == '/') {
            ++y;
            x = 0;
            continue;
        }
        const QPoint centre(x * block + block / 2, y * block + block / 2);
        EXPECT_EQ(result.grid().pixel(centre), stored(grid, *c))
            << "upright pixel " << x << "," << y << " should be " << *c;
        ++x;
    }
    EXPECT_EQ(result.grid().width(), x * block);
    EXPECT_EQ(result.grid().height(), (y + 1) * block);
}

class UprightTest : public ::testing::TestWithParam<Upright>
{
};

TEST_P(UprightTest, PictureTurnsItsPixelsUpright)
{
    const QImage grid = TestImages::labelled(3, 2);
    expectUpright(Picture(grid, GetParam().orientation).upright(), grid, GetParam().rows);
}

TEST_P(UprightTest, ColorMatchWithZeroBoxTurnsUpright)
{
    const QImage grid = TestImages::labelled(3, 2);
    expectUpright(ImageResizer::colorMatch(Picture(grid, GetParam().orientation), QSizeF()), grid,
                  GetParam().rows);
}

TEST_P(UprightTest, ColorMatchReducesAndTurnsUpright)
{
    // 8-pixel blocks into a box of half the size: every block becomes a uniform 4 x 4.
    const QImage labels = TestImages::labelled(3, 2);
    const Picture picture(TestImages::blocks(3, 2, 8), GetParam().orientation);
    const Picture result = ImageResizer::colorMatch(picture, QSizeF(8, 12));
    expectUpright(result, labels, GetParam().rows, 4);
}

TEST_P(UprightTest, TopDownCanvasDrawsUpright)
{
    const QImage grid = TestImages::labelled(3, 2);
    const Picture picture(grid, GetParam().orientation);
    const QSize size = picture.size().toSize();
    Canvas canvas(size.width(), size.height(), Canvas::TopDown);
    canvas.drawPicture(picture, QRectF(QPointF(0, 0), picture.size()));
    expectUpright(canvas.picture(), grid, GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(AllEight, UprightTest, ::testing::ValuesIn(kUpright));

TEST(Picture, LogicalSizeTurnsForSidewaysTags)
{
    const QImage grid(40, 30, QImage::Format_RGB32);
    for (int tag = 0; tag < 8; ++tag) {
        const bool sideways = tag == 2 || tag == 3 || tag == 6 || tag == 7;
        EXPECT_EQ(Picture(grid, Picture::Orientation(tag)).size(),
                  sideways ? QSizeF(30, 40) : QSizeF(40, 30))
            << tag;
    }
}

TEST(Picture, TagsOutsideTheRangeReadAsUp)
{
    const Picture picture(QImage(4, 2, QImage::Format_RGB32), Picture::Orientation(9));
    EXPECT_EQ(picture.orientation(), Picture::Up);
}

TEST(Picture, OtherFormatsBecomeTheEngineLayout)
{
    QImage rgb888(5, 3, QImage::Format_RGB888);
    rgb888.fill(QColor(10, 20, 30));
    const Picture picture(rgb888);
    ASSERT_EQ(picture.grid().format(), QImage::Format_RGB32);
    const uchar *p = picture.grid().constScanLine(2) + 4 * 4;
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 10);
}

} // namespace

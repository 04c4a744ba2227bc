#include "PictureJpeg.h"
#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Where two marked pixels of a 3 x 2 grid land once the picture is stood upright,
// worked out by hand from what each orientation tag means.
struct Turn
{
    Picture::Orientation orientation;
    QSize upright;
    QPoint red;   // the grid's (0, 0)
    QPoint green; // the grid's (1, 0)
};

class PictureJpegUpright : public ::testing::TestWithParam<Turn>
{
};

TEST_P(PictureJpegUpright, MovesPixelsWhereTheTagSays)
{
    TestPixels pixels = TestPixels::solid(3, 2, 0, 0, 0);
    pixels.set(0, 0, 255, 0, 0);
    pixels.set(1, 0, 0, 255, 0);

    const QImage upright = PictureJpeg::upright(pictureOf(pixels, GetParam().orientation));

    ASSERT_EQ(upright.size(), GetParam().upright);
    EXPECT_EQ(upright.pixel(GetParam().red), qRgb(255, 0, 0));
    EXPECT_EQ(upright.pixel(GetParam().green), qRgb(0, 255, 0));
}

INSTANTIATE_TEST_SUITE_P(Orientations, PictureJpegUpright,
                         ::testing::Values(Turn{Picture::Up, {3, 2}, {0, 0}, {1, 0}},
                                           Turn{Picture::Down, {3, 2}, {2, 1}, {1, 1}},
                                           Turn{Picture::Left, {2, 3}, {0, 2}, {0, 1}},
                                           Turn{Picture::Right, {2, 3}, {1, 0}, {1, 1}},
                                           Turn{Picture::UpMirrored, {3, 2}, {2, 0}, {1, 0}},
                                           Turn{Picture::DownMirrored, {3, 2}, {0, 1}, {1, 1}},
                                           Turn{Picture::LeftMirrored, {2, 3}, {0, 0}, {0, 1}},
                                           Turn{Picture::RightMirrored, {2, 3}, {1, 2}, {1, 1}}));

TEST(PictureJpeg, RoundTripKeepsSizeAndColoursClose)
{
    testApplication();
    const Picture original = pictureOf(TestPixels::gradient(64, 48));
    const QByteArray bytes = PictureJpeg::encode(original);
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_TRUE(bytes.startsWith("\xFF\xD8")) << "JPEG start-of-image marker";

    const Picture decoded = PictureJpeg::decode(bytes);
    ASSERT_FALSE(decoded.isNull());
    ASSERT_EQ(decoded.grid().size(), QSize(64, 48));
    EXPECT_EQ(decoded.orientation(), Picture::Up);
    EXPECT_EQ(decoded.grid().format(), QImage::Format_RGB32);
    int worst = 0;
    for (int y = 0; y < 48; y += 7)
        for (int x = 0; x < 64; x += 5) {
            const QRgb a = original.grid().pixel(x, y), b = decoded.grid().pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LE(worst, 16) << "quality 90 on a smooth gradient";
}

TEST(PictureJpeg, SidewaysPictureIsStoredUpright)
{
    testApplication();
    const Picture decoded = PictureJpeg::decode(
        PictureJpeg::encode(pictureOf(TestPixels::gradient(40, 20), Picture::Right)));
    EXPECT_EQ(decoded.grid().size(), QSize(20, 40));
}

TEST(PictureJpeg, UnreadableBytesGiveNoPicture)
{
    testApplication();
    EXPECT_TRUE(PictureJpeg::decode(QByteArray()).isNull());
    EXPECT_TRUE(PictureJpeg::decode("not a picture at all").isNull());
    QByteArray truncated = PictureJpeg::encode(pictureOf(TestPixels::gradient(32, 32)));
    truncated.truncate(20);
    EXPECT_TRUE(PictureJpeg::decode(truncated).isNull());
    QString error;
    EXPECT_TRUE(PictureJpeg::encode(Picture(), 90, &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

} // namespace

#include <gtest/gtest.h>

#include <QFont>
#include <QPainter>

#include "ImageUtils.h"
#include "TestImages.h"

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

struct Letterbox
{
    qreal iw, ih, w, h;
    bool letterbox;
    QRectF expected;
};

class LetterboxRect : public ::testing::TestWithParam<Letterbox>
{
};

TEST_P(LetterboxRect, FitsOrCovers)
{
    const Letterbox &c = GetParam();
    const QRectF r = ImageUtils::letterboxRect(QSizeF(c.iw, c.ih), QSizeF(c.w, c.h), c.letterbox);
    EXPECT_NEAR(r.x(), c.expected.x(), 0.01);
    EXPECT_NEAR(r.y(), c.expected.y(), 0.01);
    EXPECT_NEAR(r.width(), c.expected.width(), 0.01);
    EXPECT_NEAR(r.height(), c.expected.height(), 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LetterboxRect,
    ::testing::Values(Letterbox{1600, 1200, 320, 320, true, QRectF(0, 40, 320, 240)},
                      Letterbox{1600, 1200, 320, 320, false, QRectF(-53.333, 0, 426.667, 320)},
                      Letterbox{1200, 1600, 320, 320, true, QRectF(40, 0, 240, 320)},
                      Letterbox{1200, 1600, 320, 320, false, QRectF(0, -53.333, 320, 426.667)},
                      Letterbox{500, 500, 100, 100, true, QRectF(0, 0, 100, 100)},
                      Letterbox{500, 500, 100, 100, false, QRectF(0, 0, 100, 100)}));

TEST(ImageUtils, LetterboxDrawsOnBlackBands)
{
    const Picture picture(TestImages::solid(1600, 1200, Qt::white));
    const QImage g = ImageUtils::drawImage(picture, QSizeF(320, 320), true).grid();
    ASSERT_EQ(g.size(), QSize(320, 320));
    EXPECT_EQ(g.pixel(160, 39), kBlack);
    EXPECT_EQ(g.pixel(160, 40), kWhite);
    EXPECT_EQ(g.pixel(160, 279), kWhite);
    EXPECT_EQ(g.pixel(160, 280), kBlack);
}

TEST(ImageUtils, CoverCutsTheSidesEqually)
{
    // A 1600 x 1200 picture covering 320 x 320 shows its middle 1200 columns; red columns
    // 0..189 and 1410..1599 lie outside with a margin for the filter's reach.
    QImage grid = TestImages::solid(1600, 1200, Qt::green);
    for (int y = 0; y < 1200; ++y)
        for (int x = 0; x < 190; ++x) {
            grid.setPixel(x, y, qRgb(255, 0, 0));
            grid.setPixel(1599 - x, y, qRgb(255, 0, 0));
        }
    const QImage g = ImageUtils::drawImage(Picture(grid), QSizeF(320, 320), false).grid();
    for (int x : {0, 160, 319})
        EXPECT_LT(qRed(g.pixel(x, 160)), 8) << x;
}

TEST(ImageUtils, DrawsUprightAndStretched)
{
    const Picture picture(TestImages::quadrants(40, 20), Picture::Down);
    const QImage g = ImageUtils::drawImage(picture, QSizeF(80, 80)).grid();
    ASSERT_EQ(g.size(), QSize(80, 80));
    // Turned 180 degrees: the white quadrant is at the top left.
    EXPECT_EQ(g.pixel(10, 10), kWhite);
    EXPECT_EQ(g.pixel(70, 70), qRgb(255, 0, 0));
}

TEST(ImageUtils, DrawsIntoTheRectangleOnBlack)
{
    const Picture picture(TestImages::solid(10, 10, Qt::white));
    const QImage g = ImageUtils::drawImage(picture, QSizeF(30, 30), QRectF(10, 5, 10, 20)).grid();
    EXPECT_EQ(g.pixel(15, 15), kWhite);
    EXPECT_EQ(g.pixel(9, 15), kBlack);
    EXPECT_EQ(g.pixel(15, 4), kBlack);
    EXPECT_EQ(g.pixel(15, 25), kBlack);
}

TEST(ImageUtils, CaptionSitsAboveTheBottomEdge)
{
    TestImages::ensureGuiApplication();
    const QImage grid = TestImages::solid(200, 100, QColor(64, 64, 64));
    QFont font;
    font.setPixelSize(20);
    const QImage g = ImageUtils::drawText(QStringLiteral("Velmora"), font, Picture(grid)).grid();
    ASSERT_EQ(g.size(), grid.size());
    // The shadow ends 8 pixels above the bottom; nothing below it changes, nor the top.
    EXPECT_EQ(g.copy(0, 92, 200, 8), grid.copy(0, 92, 200, 8));
    EXPECT_EQ(g.copy(0, 0, 200, 40), grid.copy(0, 0, 200, 40));
    int brighter = 0;
    for (int y = 40; y < 92; ++y)
        for (int x = 0; x < 200; ++x)
            brighter += qGray(g.pixel(x, y)) > 128;
    EXPECT_GT(brighter, 20);
}

TEST(ImageUtils, CaptionWiderThanThePictureIsCut)
{
    TestImages::ensureGuiApplication();
    const Picture picture(TestImages::solid(30, 30, Qt::gray));
    const Picture result = ImageUtils::drawText(QString(60, QLatin1Char('W')), QFont(), picture);
    EXPECT_EQ(result.grid().size(), QSize(30, 30));
}

class Swatch : public Renderable
{
public:
    QSize renderSize() const override { return QSize(20, 10); }
    void renderInto(QPainter &painter) const override { painter.fillRect(0, 0, 5, 5, Qt::white); }
};

TEST(ImageUtils, ScreenshotRendersTheViewAtItsSize)
{
    const QImage g = ImageUtils::screenshot(Swatch()).grid();
    ASSERT_EQ(g.size(), QSize(20, 10));
    EXPECT_EQ(g.pixel(0, 0), kWhite);
    EXPECT_EQ(g.pixel(4, 4), kWhite);
    EXPECT_EQ(g.pixel(5, 5), kBlack);
}

} // namespace

#include <algorithm>

#include <gtest/gtest.h>

#include <QFont>
#include <QGuiApplication>
#include <QPainter>

#include "ImageUtils.h"
#include "TestImages.h"

namespace {

const QRgb kBlack = qRgb(0, 0, 0), kWhite = qRgb(255, 255, 255), kRed = qRgb(255, 0, 0),
           kBlue = qRgb(0, 0, 255);

TEST(ImageUtils, DrawsUprightStretchedLetterboxedOrCovering)
{
    // A picture into 320 x 320 with or without letterbox, and the rectangle it is drawn into.
    for (const auto &[picture, letterbox, rect] :
         {std::tuple{QSizeF(1600, 1200), true, QRectF(0, 40, 320, 240)},
          {QSizeF(1600, 1200), false, QRectF(-160.0 / 3, 0, 1280.0 / 3, 320)},
          {QSizeF(1200, 1600), true, QRectF(40, 0, 240, 320)},
          {QSizeF(1200, 1600), false, QRectF(0, -160.0 / 3, 320, 1280.0 / 3)}})
        EXPECT_EQ(ImageUtils::letterboxRect(picture, QSizeF(320, 320), letterbox), rect);
    // Quadrants red, green / blue, white; 4:3 into 320 x 320 fits on bands 40 rows high.
    const Picture quadrants(TestImages::quadrants(1600, 1200));
    const QImage fit = ImageUtils::drawImage(quadrants, QSizeF(320, 320), true).grid();
    const QImage cover = ImageUtils::drawImage(quadrants, QSizeF(320, 320), false).grid();
    const Picture turned(TestImages::quadrants(40, 20), Picture::Down);
    const QImage stretched = ImageUtils::drawImage(turned, QSizeF(80, 80)).grid();
    EXPECT_EQ((std::vector<QRgb>{fit.pixel(80, 39), fit.pixel(80, 40), fit.pixel(80, 279),
                                 fit.pixel(80, 280), cover.pixel(0, 0), cover.pixel(319, 319),
                                 stretched.pixel(10, 10), stretched.pixel(70, 70)}),
              (std::vector<QRgb>{kBlack, kRed, kBlue, kBlack, kRed, kWhite, kWhite, kRed}));
}

TEST(ImageUtils, CaptionSitsAboveTheBottomEdge)
{
    static int argc = 1; // text needs an application object; kept to the end
    static char name[] = "velmora-tests", *argv[] = {name, nullptr};
    static auto *const application =
        QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
    Q_UNUSED(application);
    const QImage grid = TestImages::solid(200, 100, QColor(64, 64, 64));
    QFont font;
    font.setPixelSize(20);
    const QImage g = ImageUtils::drawText("Velmora gyp", font, Picture(grid)).grid();
    // The shadow's descenders end 8 pixels above the bottom; nothing below them changes, nor
    // the top. As much shows left of the caption as right of it.
    int lowest = 0, left = 200, right = 0;
    for (int y = 0; y < 100; ++y)
        lowest = g.copy(0, y, 200, 1) == grid.copy(0, y, 200, 1) ? lowest : y;
    for (int x = 0; x < 200; ++x)
        if (g.copy(x, 0, 1, 100) != grid.copy(x, 0, 1, 100))
            std::tie(left, right) = std::pair(std::min(left, x), x);
    EXPECT_TRUE(lowest >= 88 && lowest < 92) << lowest;
    EXPECT_NEAR(left, 199 - right, 2);
    EXPECT_EQ(g.copy(0, 0, 200, 40), grid.copy(0, 0, 200, 40));
    // The face is light.
    const QImage band = g.copy(0, 40, 200, 52).convertToFormat(QImage::Format_Grayscale8);
    EXPECT_GT(*std::max_element(band.constBits(), band.constBits() + band.sizeInBytes()), 160);
}

} // namespace

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QtEndian>

#include <random>
#include <zlib.h>

#include "ImageFile.h"
#include "ImageResizer.h"
#include "TaggedPhotos.h"
#include "TestImages.h"

namespace {

const QSize kBox(160, 120);
// Mean absolute difference, per channel in levels of 255, allowed between a PNG reduced as
// it is decoded and the same PNG decoded whole and then fitted.
constexpr double kMeanDifference = 0.75;

// A ramp each way under strong grain: a picture turned or mirrored the wrong way, or reduced
// by picking pixels instead of averaging them, is far from the right one.
QImage grainyRamps(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    std::mt19937 generator(7);
    std::uniform_int_distribution<int> grain(-60, 60);
    const auto grainy = [&](int value) { return std::clamp(value + grain(generator), 0, 255); };
    for (int y = 0; y < size.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            row[x] = qRgb(grainy(30 + 190 * x / size.width()), grainy(30 + 190 * y / size.height()),
                          grainy(128));
    }
    return image;
}

double meanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

// A PNG's picture read for the box (reduced as it is decoded where it exceeds the box) and
// read whole, both fitted as the intake fits them.
struct Intake
{
    Picture read, fitted, wholeFitted;
};

Intake intakeOf(const QByteArray &png)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("photo.png");
    EXPECT_TRUE(writeFile(path, png));
    QString error;
    Intake intake;
    intake.read = ImageFile::read(path, &error, kBox);
    EXPECT_FALSE(intake.read.isNull()) << error.toStdString();
    intake.fitted = ImageResizer::colorMatch(intake.read, kBox);
    intake.wholeFitted = ImageResizer::colorMatch(ImageFile::read(path, &error), kBox);
    return intake;
}

// Every orientation, and sizes that do not divide into the box, rows in several bands (the
// last one short), or cannot be reduced at all.
TEST(PngBandReader, ReducesToTheWorkingSizeOfTheWholePictureWithItsPixels)
{
    for (const QSize stored : {QSize(2001, 200), QSize(643, 481), QSize(161, 121), QSize(300, 1000),
                               QSize(1, 700), QSize(700, 1)})
        for (int exif = 1; exif <= 8; ++exif) {
            SCOPED_TRACE(QStringLiteral("%1 x %2, orientation %3")
                             .arg(stored.width())
                             .arg(stored.height())
                             .arg(exif)
                             .toStdString());
            const Intake intake =
                intakeOf(TaggedPhotos::cameraPng(grainyRamps(stored), uint16_t(exif)));
            const QSize upright = exif >= 5 ? stored.transposed() : stored;
            const QSize fitted = ImageResizer::fittedSize(upright, kBox);
            // Read at the working size already, turned as the file says, with its profile.
            EXPECT_EQ(intake.read.size(), QSizeF(fitted));
            EXPECT_EQ(intake.fitted.size(), QSizeF(fitted));
            EXPECT_EQ(intake.read.metadata().exifOrientation(), exif);
            EXPECT_EQ(intake.read.metadata().iccProfile(), TaggedPhotos::displayP3Profile());
            ASSERT_EQ(intake.wholeFitted.size(), intake.fitted.size());
            EXPECT_LE(meanDifference(intake.fitted.grid(), intake.wholeFitted.grid()),
                      kMeanDifference);
        }
}

const auto chunk = TaggedPhotos::pngChunk;

// A PNG of the given colour type and depth around its unfiltered rows, interlaced or not.
QByteArray pngOf(QSize size, int depth, int type, const QByteArray &rows, bool interlaced = false,
                 const QByteArray &extra = QByteArray())
{
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(quint32(size.width()), header.data());
    qToBigEndian<quint32>(quint32(size.height()), header.data() + 4);
    header[8] = char(depth);
    header[9] = char(type);
    header[12] = char(interlaced);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + extra +
           chunk("IDAT", qCompress(rows).mid(4)) + chunk("IEND", QByteArray());
}

// The same from raw samples, row after row: the image writer makes no grey-with-alpha files.
QByteArray rawPng(QSize size, int depth, int type, const QByteArray &samples,
                  const QByteArray &extra = QByteArray())
{
    const qsizetype rowBytes = samples.size() / size.height();
    QByteArray rows;
    for (int y = 0; y < size.height(); ++y)
        rows += '\0' + samples.mid(y * rowBytes, rowBytes);
    return pngOf(size, depth, type, rows, false, extra);
}

// Grey with alpha; transparent pixels keep their colour.
QByteArray greyAlphaPng(QSize size)
{
    const QImage grey = grainyRamps(size);
    QByteArray samples;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            samples.append(char(qRed(grey.pixel(x, y)))).append(char(x % 3 * 127));
    return rawPng(size, 8, 4, samples);
}

// A palette, some of its colours transparent.
QByteArray palettePng(QSize size)
{
    QImage indexed = grainyRamps(size).convertToFormat(QImage::Format_Indexed8);
    QList<QRgb> colours = indexed.colorTable();
    for (qsizetype i = 0; i < colours.size(); ++i)
        colours[i] = qRgba(qRed(colours[i]), qGreen(colours[i]), qBlue(colours[i]), i % 4 * 80);
    indexed.setColorTable(colours);
    return TestImages::encoded(indexed, "png");
}

// Black stored in the seven passes of interlacing, each row of a pass unfiltered.
QByteArray interlacedPng(QSize size)
{
    QByteArray passes;
    for (const auto [left, top, across, down] : {std::array{0, 0, 8, 8},
                                                 {4, 0, 8, 8},
                                                 {0, 4, 4, 8},
                                                 {2, 0, 4, 4},
                                                 {0, 2, 2, 4},
                                                 {1, 0, 2, 2},
                                                 {0, 1, 1, 2}})
        for (int y = top; left < size.width() && y < size.height(); y += down)
            passes += QByteArray(1 + 3 * ((size.width() - left + across - 1) / across), '\0');
    return pngOf(size, 8, 2, passes, true);
}

QByteArray encodedAs(QSize size, QImage::Format format)
{
    return TestImages::encoded(grainyRamps(size).convertToFormat(format), "png");
}

// Each kind of pixel the format stores reads as the whole decode reads it; an interlaced
// file is read whole.
TEST(PngBandReader, ReadsEachKindOfPixelAsTheWholeDecode)
{
    const QSize size(331, 251);
    for (const auto &[name, png] :
         {std::pair{"16-bit colour", encodedAs(size, QImage::Format_RGBX64)},
          {"colour and alpha", encodedAs(size, QImage::Format_ARGB32)},
          {"16-bit grey", encodedAs(size, QImage::Format_Grayscale16)},
          {"1-bit", encodedAs(size, QImage::Format_Mono)},
          {"grey and alpha", greyAlphaPng(size)},
          {"palette with transparency", palettePng(size)},
          {"interlaced", interlacedPng(size)}}) {
        const Intake intake = intakeOf(png);
        const bool interlaced = png[28] == 1;
        EXPECT_EQ(intake.read.grid().size(),
                  interlaced ? size : ImageResizer::fittedSize(size, kBox))
            << name;
        ASSERT_EQ(intake.fitted.size(), intake.wholeFitted.size()) << name;
        EXPECT_LE(meanDifference(intake.fitted.grid(), intake.wholeFitted.grid()), kMeanDifference)
            << name;
    }
    // 0x12C0 of 0xFFFF is 18.68 of 255: rounded, not cut.
    const QByteArray grey16 = QByteArray("\x12\xC0", 2).repeated(size.width() * size.height());
    EXPECT_EQ(intakeOf(rawPng(size, 16, 0, grey16)).fitted.grid().pixel(7, 7), qRgb(19, 19, 19));
}

// The same file with another size in its header.
QByteArray claiming(const QByteArray &png, QSize size)
{
    QByteArray header = png.mid(16, 13);
    qToBigEndian<quint32>(quint32(size.width()), header.data());
    qToBigEndian<quint32>(quint32(size.height()), header.data() + 4);
    return png.left(8) + chunk("IHDR", header) + png.mid(33);
}

// Damage found while the rows stream in, and sizes past the limit, are refused as the whole
// decode refuses them.
TEST(PngBandReader, RefusesADamagedOrHugeFileReadForABox)
{
    using ReadError = ImageFile::ReadError;
    QTemporaryDir dir;
    const QByteArray png = TestImages::encoded(grainyRamps(QSize(643, 481)), "png");
    const QByteArray rows = rawPng(QSize(643, 400), 8, 2, QByteArray(643 * 3 * 400, '\x40'));
    // The pixels' zlib checksum wrong, the chunk's own right.
    const qsizetype idat = rows.indexOf("IDAT") - 4;
    const qsizetype length = qFromBigEndian<quint32>(rows.constData() + idat);
    QByteArray stream = rows.mid(idat + 8, length);
    stream[length - 1] = char(stream[length - 1] ^ 1);
    const QByteArray badSum =
        rows.left(idat) + chunk("IDAT", stream) + rows.mid(idat + 12 + length);
    // The pixels right but a chunk's own checksum wrong: the pixels' chunk, or the end chunk
    // read after the last row.
    QByteArray badCrc = rows, badEnd = rows;
    badCrc[idat + 8 + length] = char(badCrc[idat + 8 + length] ^ 1);
    badEnd[badEnd.size() - 1] = char(badEnd[badEnd.size() - 1] ^ 1);
    for (const auto &[name, bytes, reason, what] :
         {std::tuple{"cut.png", png.left(png.size() * 2 / 3), "the PNG data is truncated",
                     ReadError::Damaged},
          {"short.png", claiming(rows, QSize(643, 481)), "damaged or truncated",
           ReadError::Damaged},
          {"checksum.png", badSum, "damaged or truncated", ReadError::Damaged},
          {"crc.png", badCrc, "damaged or truncated", ReadError::Damaged},
          {"end.png", badEnd, "damaged or truncated", ReadError::Damaged},
          {"huge.png", claiming(png, QSize(16385, 8192)), "too large to decode",
           ReadError::TooLarge}}) {
        const QString path = dir.filePath(name);
        ASSERT_TRUE(writeFile(path, bytes));
        QString error;
        ReadError kind = ReadError::None;
        EXPECT_TRUE(ImageFile::read(path, &error, kBox, nullptr, &kind).isNull()) << name;
        EXPECT_EQ(kind, what) << name;
        EXPECT_TRUE(error.contains(path) && error.contains(reason)) << error.toStdString();
    }
}

} // namespace

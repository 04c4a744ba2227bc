#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QtEndian>

#include "ImageFile.h"
#include "ImageResizer.h"
#include "PhotoMetadata.h"
#include "TaggedPhotos.h"
#include "TestImages.h"

using namespace TaggedPhotos;

namespace {

struct Route
{
    const char *input;
    const char *output;
};

class PhotoMetadataRoute : public ::testing::TestWithParam<Route>
{
protected:
    QTemporaryDir dir;
};

// Stored 40 x 24, turned clockwise to view: the written picture is 24 x 40.
TEST_P(PhotoMetadataRoute, KeepsTheCamerasRecordsForTheUprightPicture)
{
    const QImage grid = TestImages::solid(40, 24, Qt::darkCyan);
    const bool jpegIn = QByteArray(GetParam().input) == "jpg";
    const QString in = dir.filePath(QStringLiteral("in.") + GetParam().input);
    const QString out = dir.filePath(QStringLiteral("out.") + GetParam().output);
    writeFile(in, jpegIn ? cameraJpeg(grid) : cameraPng(grid));

    QString error, warning;
    const Picture picture = ImageFile::read(in, &error);
    ASSERT_FALSE(picture.isNull()) << error.toStdString();
    ASSERT_TRUE(ImageFile::write(picture, out, &error, 90, &warning)) << error.toStdString();
    EXPECT_TRUE(warning.isEmpty()) << warning.toStdString();

    EXPECT_EQ(QImage(out).size(), QSize(24, 40));
    const Tags tags = tagsOf(out);
    std::vector<std::string> values;
    for (const char *key : {"Image.Make", "Image.Model", "Photo.DateTimeOriginal",
                            "Photo.ExposureTime", "GPSInfo.GPSLatitude", "Image.Orientation",
                            "Photo.PixelXDimension", "Photo.PixelYDimension"})
        values.push_back(tags.exifValue((std::string("Exif.") + key).c_str()));
    EXPECT_EQ(values, (std::vector<std::string>{"Harbour Optics", "HX-7", "2021:06:05 14:03:09",
                                                "1/250", "48/1 23/1 1234/100", "1", "24", "40"}));
    EXPECT_FALSE(tags.hasThumbnail());
    EXPECT_EQ(tags.icc, displayP3Profile());
    if (jpegIn) {
        EXPECT_EQ(tags.xmpValue("Xmp.dc.title"), "lang=\"x-default\" Quay at dawn");
        EXPECT_EQ(tags.xmpValue("Xmp.tiff.Orientation"), "1");
        EXPECT_EQ(tags.iptcValue("Iptc.Application2.City"), "Brest");
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, PhotoMetadataRoute,
                         ::testing::Values(Route{"jpg", "jpg"}, Route{"jpg", "png"},
                                           Route{"png", "jpg"}, Route{"png", "png"}),
                         [](const auto &info) {
                             return std::string(info.param.input) + "To" + info.param.output;
                         });

TEST(PhotoMetadata, TravelsThroughResizingAndStoredPictures)
{
    QString error;
    const Picture photo = ImageFile::decode(cameraJpeg(TestImages::solid(40, 24, Qt::red)), &error);
    const Picture fitted = ImageResizer::colorMatch(photo, QSizeF(12, 20));
    // Derived pictures start bare; the carrier passes the photo's metadata on.
    EXPECT_TRUE(fitted.metadata().isEmpty());
    const Picture stored =
        ImageFile::decode(ImageFile::encodeJpeg(fitted.withMetadata(photo.metadata())), &error);
    EXPECT_EQ(stored.metadata().iccProfile(), displayP3Profile());
    EXPECT_EQ(stored.orientation(), Picture::Up);
}

// An EXIF block whose first directory points back at itself, and one cut short: the
// picture is read and written all the same.
TEST(PhotoMetadata, DamagedExifNeverStopsAPicture)
{
    QByteArray looping("II*\0\x08\0\0\0\x01\0\x0F\x01\x02\0\x04\0\0\0Cam\0\x08\0\0\0", 26);
    const QByteArray cut = looping.left(14);
    for (const QByteArray &tiff : {looping, cut}) {
        QByteArray segment = QByteArray("\xFF\xE1\0\0Exif\0\0", 10) + tiff;
        qToBigEndian<quint16>(quint16(segment.size() - 2), segment.data() + 2);
        QString error;
        const Picture picture = ImageFile::decode(
            TestImages::encoded(TestImages::solid(16, 8, Qt::blue), "jpeg").insert(2, segment),
            &error);
        ASSERT_FALSE(picture.isNull()) << error.toStdString();
        EXPECT_EQ(ImageFile::decode(ImageFile::encodeJpeg(picture), &error).grid().size(),
                  QSize(16, 8))
            << error.toStdString();
    }
}

// A profile chunk that inflates to 32 MB is no profile a photo has: it is left out
// instead of being unpacked.
TEST(PhotoMetadata, CompressedChunksCostNoMoreThanMetadataCould)
{
    QByteArray huge(32 * 1024 * 1024, 'p');
    qToBigEndian<quint32>(quint32(huge.size()), huge.data()); // a well-formed profile header
    huge.replace(36, 4, "acsp");
    const QByteArray png = withChunk(TestImages::encoded(TestImages::solid(4, 4, Qt::green), "png"),
                                     pngChunk("iCCP", QByteArray("bomb\0\0", 6) + deflated(huge)));

    QString error;
    const Picture picture = ImageFile::decode(png, &error);
    ASSERT_FALSE(picture.isNull()) << error.toStdString();
    EXPECT_TRUE(picture.metadata().iccProfile().isEmpty());
}

} // namespace

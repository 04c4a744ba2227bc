#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QtEndian>

#include "ImageFile.h"
#include "PhotoMetadata.h"
#include "TaggedPhotos.h"
#include "TestImages.h"

using namespace TaggedPhotos;

namespace {

// Stored 40 x 24, turned clockwise to view, read and written in each pair of formats: the
// written picture is 24 x 40 and keeps the camera's records, made true for it.
TEST(PhotoMetadata, KeepsTheCamerasRecordsForTheUprightPicture)
{
    QTemporaryDir dir;
    const QImage grid = TestImages::solid(40, 24, Qt::darkCyan);
    for (const QString route : {"jpg-jpg", "jpg-png", "png-jpg", "png-png"}) {
        const bool jpegIn = route.startsWith("jpg");
        const QString in = dir.filePath(route + "-in." + route.left(3));
        const QString out = dir.filePath(route + "." + route.right(3));
        writeFile(in, jpegIn ? cameraJpeg(grid) : cameraPng(grid));
        QString error, warning;
        const Picture picture = ImageFile::read(in, &error);
        ASSERT_FALSE(picture.isNull()) << error.toStdString();
        ASSERT_TRUE(ImageFile::write(picture, out, &error, 90, &warning)) << error.toStdString();
        EXPECT_TRUE(warning.isEmpty()) << warning.toStdString();
        const Tags tags = tagsOf(out);
        QStringList values;
        for (const char *key : {"Image.Make", "Image.Model", "Photo.DateTimeOriginal",
                                "Photo.ExposureTime", "GPSInfo.GPSLatitude", "Image.Orientation",
                                "Photo.PixelXDimension", "Photo.PixelYDimension"})
            values << QString::fromStdString(tags.exifValue((std::string("Exif.") + key).c_str()));
        EXPECT_EQ(values.join('|'), "Harbour Optics|HX-7|2021:06:05 14:03:09|1/250|"
                                    "48/1 23/1 1234/100|1|24|40")
            << route.toStdString();
        EXPECT_FALSE(tags.hasThumbnail());
        EXPECT_EQ(tags.icc, displayP3Profile());
        if (jpegIn) {
            EXPECT_EQ(tags.xmpValue("Xmp.dc.title"), "lang=\"x-default\" Quay at dawn");
            EXPECT_EQ(tags.xmpValue("Xmp.tiff.Orientation"), "1");
            EXPECT_EQ(tags.iptcValue("Iptc.Application2.City"), "Brest");
        }
    }
}

// An EXIF block whose first directory points back at itself, and one cut short: the picture
// is read and written all the same. A profile chunk that inflates to 32 MB is no profile a
// photo has: it is left out instead of being unpacked.
TEST(PhotoMetadata, DamagedOrOversizedMetadataNeverStopsAPicture)
{
    QByteArray looping("II*\0\x08\0\0\0\x01\0\x0F\x01\x02\0\x04\0\0\0Cam\0\x08\0\0\0", 26);
    QString error;
    for (const QByteArray &tiff : {looping, looping.left(14)}) {
        QByteArray segment = QByteArray("\xFF\xE1\0\0Exif\0\0", 10) + tiff;
        qToBigEndian<quint16>(quint16(segment.size() - 2), segment.data() + 2);
        const Picture picture = ImageFile::decode(
            TestImages::encoded(TestImages::solid(16, 8, Qt::blue), "jpeg").insert(2, segment),
            &error);
        ASSERT_FALSE(picture.isNull()) << error.toStdString();
        EXPECT_EQ(ImageFile::decode(ImageFile::encodeJpeg(picture), &error).grid().size(),
                  QSize(16, 8))
            << error.toStdString();
    }
    QByteArray huge(32 * 1024 * 1024, 'p');
    qToBigEndian<quint32>(quint32(huge.size()), huge.data()); // a well-formed profile header
    huge.replace(36, 4, "acsp");
    const Picture picture = ImageFile::decode(
        TestImages::encoded(TestImages::solid(4, 4, Qt::green), "png")
            .insert(8 + 25, pngChunk("iCCP", QByteArray("bomb\0\0", 6) + qCompress(huge).mid(4))),
        &error);
    ASSERT_FALSE(picture.isNull()) << error.toStdString();
    EXPECT_TRUE(picture.metadata().iccProfile().isEmpty());
}

} // namespace

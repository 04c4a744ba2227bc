#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QtEndian>

#include "ImageFile.h"
#include "PhotoMetadata.h"
#include "TaggedPhotos.h"
#include "TestImages.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

QByteArray be32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray le(quint32 value, int size)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes.left(size);
}

// A little-endian EXIF block: one directory claiming `count` entries, the first the camera's
// make, "HX-7 Cam" (or as many bytes as `length` says), stored just after the directory.
QByteArray exifBlock(quint16 count = 1, quint32 length = 8)
{
    return QByteArray("II*\0\x08\0\0\0", 8) + le(count, 2) + le(0x010F, 2) + le(2, 2) +
           le(length, 4) + le(26, 4) + le(0, 4) + "HX-7 Cam";
}

// A JPEG segment; its length field says `length` when given.
QByteArray segment(char marker, const QByteArray &body, int length = -1)
{
    QByteArray bytes = QByteArray("\xFF", 1) + marker + QByteArray(2, '\0') + body;
    qToBigEndian(quint16(length < 0 ? body.size() + 2 : length), bytes.data() + 2);
    return bytes;
}

// A PNG chunk whose length field says `length`.
QByteArray claiming(QByteArray chunk, quint32 length)
{
    return chunk.replace(0, 4, be32(length));
}

QByteArray jpegWith(const QByteArray &segments)
{
    return TestImages::encoded(TestImages::solid(16, 8, Qt::blue), "jpeg").insert(2, segments);
}

// Before the pixels (after the header chunk) or after them (before the end chunk).
QByteArray pngWith(const QByteArray &chunks, bool afterPixels = false)
{
    const QByteArray png = TestImages::encoded(TestImages::solid(16, 8, Qt::blue), "png");
    return QByteArray(png).insert(afterPixels ? png.size() - 12 : 8 + 25, chunks);
}

// What reading a file came to in a child process, as flags, and whether the child's resident
// memory grew by 64 MB or more meanwhile.
constexpr int kRead = 1, kWithMetadata = 2, kRefusedAsTruncated = 4, kWarnedOnceOfDamage = 8,
              kUnwarned = 16, kGrew = 32;

int readInChild(const QString &path)
{
    const pid_t child = ::fork();
    if (child == 0) {
        // A new child's peak starts at what it shares with its parent.
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        const long before = usage.ru_maxrss;
        QString error, warning;
        const Picture picture = ImageFile::read(path, &error, QSize(), &warning);
        ::getrusage(RUSAGE_SELF, &usage);
        const bool damage = warning.contains("metadata is damaged") && !warning.contains('\n');
        ::_exit((picture.isNull() ? 0 : kRead) |
                (picture.metadata().isEmpty() ? 0 : kWithMetadata) |
                (error.endsWith("truncated") ? kRefusedAsTruncated : 0) |
                (damage ? kWarnedOnceOfDamage : 0) | (warning.isEmpty() ? kUnwarned : 0) |
                (usage.ru_maxrss - before >= 64 * 1024 ? kGrew : 0));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A block that claims more bytes than the file holds (up to 2 GB) costs no more memory than
// the file: a picture whose pixels lie beyond it is refused as truncated, any other is read
// without its metadata, with one warning. So is a profile that holds more than it says: once
// written, it would come back cut.
TEST(PhotoMetadata, AnOversizedClaimCostsNoMemoryAndLeavesTheMetadataOut)
{
    QTemporaryDir dir;
    const int refused = kRefusedAsTruncated | kUnwarned, without = kRead | kWarnedOnceOfDamage;
    const QByteArray exif = "Exif" + QByteArray(2, 0) + exifBlock();
    const QByteArray countingExif = "Exif" + QByteArray(2, 0) + exifBlock(0xFFFF);
    const auto iccp = [](quint32 declared) {
        const QByteArray profile = be32(declared) + QByteArray(200, 'p');
        return pngChunk("iCCP", QByteArray("p\0\0", 3) + qCompress(profile).mid(4));
    };
    for (const auto &[name, file, facts] :
         {std::tuple{
              "text chunk hiding the pixels",
              pngWith(claiming(pngChunk("tEXt", "Comment" + QByteArray(4096, 0)), 0x7FFFFFFF)),
              refused},
          {"EXIF chunk after the pixels",
           pngWith(claiming(pngChunk("eXIf", exifBlock()), 0x7FFFFFF0), true), without},
          {"EXIF value", pngWith(pngChunk("eXIf", exifBlock(1, 0x7FFFFFF0))), without},
          {"EXIF in a text profile",
           pngWith(pngChunk("tEXt", QByteArray("Raw profile type exif\0\nexif\n", 28) +
                                        QByteArray::number(countingExif.size()) + '\n' +
                                        countingExif.toHex())),
           without},
          {"ICC profile in a PNG chunk", pngWith(iccp(0x7FFFFFFF)), without},
          {"ICC profile longer than its header says", pngWith(iccp(100)), without},
          {"JPEG segment hiding the pixels", jpegWith(segment('\xE1', exif, 0xFFF0)), refused},
          {"EXIF entry count", jpegWith(segment('\xE1', countingExif)), without},
          {"ICC profile in JPEG pieces",
           jpegWith(segment('\xE2', QByteArray("ICC_PROFILE\0\x01\x02", 14) + be32(0x7FFFFFFF) +
                                        QByteArray(124, 'p'))),
           without},
          {"IPTC record",
           jpegWith(segment('\xED', QByteArray("Photoshop 3.0\0008BIM\x04\x04\0\0", 22) +
                                        be32(0x7FFFFFFF) + "\x1C\x02\x5A")),
           without},
          {"none in sound EXIF", jpegWith(segment('\xE1', exif)),
           kRead | kWithMetadata | kUnwarned}}) {
        const QString path = dir.filePath("claim");
        ASSERT_TRUE(writeFile(path, file));
        EXPECT_EQ(readInChild(path), facts) << name;
    }
}

} // namespace

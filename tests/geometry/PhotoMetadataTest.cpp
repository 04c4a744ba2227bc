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

// An EXIF block whose first directory points back at itself: the picture is read and written
// all the same. A profile chunk that inflates to 32 MB is no profile a photo has: it is left
// out instead of being unpacked.
TEST(PhotoMetadata, DamagedOrOversizedMetadataNeverStopsAPicture)
{
    const QByteArray looping("Exif\0\0II*\0\x08\0\0\0\x01\0\x0F\x01\x02\0\x04\0\0\0Cam\0\x08\0\0\0",
                             32);
    QString error;
    const Picture picture = ImageFile::decode(jpegWith(segment('\xE1', looping)), &error);
    ASSERT_FALSE(picture.isNull()) << error.toStdString();
    EXPECT_EQ(ImageFile::decode(ImageFile::encodeJpeg(picture), &error).grid().size(), QSize(16, 8))
        << error.toStdString();
    QByteArray huge(32 * 1024 * 1024, 'p');
    qToBigEndian<quint32>(quint32(huge.size()), huge.data()); // a well-formed profile header
    huge.replace(36, 4, "acsp");
    const Picture bomb = ImageFile::decode(
        pngWith(pngChunk("iCCP", QByteArray("bomb\0\0", 6) + qCompress(huge).mid(4))), &error);
    ASSERT_FALSE(bomb.isNull()) << error.toStdString();
    EXPECT_TRUE(bomb.metadata().iccProfile().isEmpty());
}

struct Claim
{
    const char *name;
    QByteArray (*file)();
    enum
    {
        Refused,
        ReadWithout,
        ReadWith
    } outcome;
};

// What reading a file came to in a child process, and how far the child's resident memory
// grew meanwhile.
struct Outcome
{
    bool read = false, metadata = false;
    QString error, warning;
    long grownKb = 0;
};

Outcome readInChild(const QString &path)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        // A new child's peak starts at what it shares with its parent.
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        const long before = usage.ru_maxrss;
        QString error, warning;
        const Picture picture = ImageFile::read(path, &error, QSize(), &warning);
        ::getrusage(RUSAGE_SELF, &usage);
        const QByteArray report =
            QStringList{QString::number(!picture.isNull()),
                        QString::number(!picture.metadata().isEmpty()),
                        QString::number(usage.ru_maxrss - before), error, warning}
                .join(QChar(0))
                .toUtf8();
        (void)!::write(channel[1], report.constData(), size_t(report.size()));
        ::_exit(0);
    }
    ::close(channel[1]);
    QByteArray report;
    char buffer[4096];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, qsizetype(got));
    ::close(channel[0]);
    ::waitpid(child, nullptr, 0);
    const QStringList fields = QString::fromUtf8(report).split(QChar(0));
    if (fields.size() != 5)
        return {};
    return {fields[0] == "1", fields[1] == "1", fields[3], fields[4], fields[2].toLong()};
}

using OversizedClaim = ::testing::TestWithParam<Claim>;

// A block that claims more bytes than the file holds (up to 2 GB) costs no more memory than
// the file: a picture whose pixels lie beyond it is refused as truncated, any other is read
// without its metadata, with one warning. So is a profile that holds more than it says: once
// written, it would come back cut.
TEST_P(OversizedClaim, CostsNoMemoryAndLeavesTheMetadataOut)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("claim");
    ASSERT_TRUE(writeFile(path, GetParam().file()));
    const Outcome outcome = readInChild(path);
    EXPECT_LT(outcome.grownKb, 64 * 1024);
    switch (GetParam().outcome) {
    case Claim::Refused:
        EXPECT_FALSE(outcome.read);
        EXPECT_TRUE(outcome.error.endsWith("truncated")) << outcome.error.toStdString();
        break;
    case Claim::ReadWithout:
        EXPECT_TRUE(outcome.read) << outcome.error.toStdString();
        EXPECT_FALSE(outcome.metadata);
        EXPECT_TRUE(outcome.warning.contains("metadata is damaged"))
            << outcome.warning.toStdString();
        EXPECT_FALSE(outcome.warning.contains('\n'));
        break;
    case Claim::ReadWith:
        EXPECT_TRUE(outcome.read && outcome.metadata) << outcome.warning.toStdString();
        EXPECT_EQ(outcome.warning, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, OversizedClaim,
    ::testing::Values(
        Claim{"TextChunkHidingThePixels",
              [] {
                  return pngWith(
                      claiming(pngChunk("tEXt", "Comment" + QByteArray(4096, 0)), 0x7FFFFFFF));
              },
              Claim::Refused},
        Claim{"ExifChunkAfterThePixels",
              [] { return pngWith(claiming(pngChunk("eXIf", exifBlock()), 0x7FFFFFF0), true); },
              Claim::ReadWithout},
        Claim{"ExifValue", [] { return pngWith(pngChunk("eXIf", exifBlock(1, 0x7FFFFFF0))); },
              Claim::ReadWithout},
        Claim{"ExifInATextProfile",
              [] {
                  const QByteArray exif = "Exif" + QByteArray(2, 0) + exifBlock(0xFFFF);
                  return pngWith(
                      pngChunk("tEXt", QByteArray("Raw profile type exif\0\nexif\n", 28) +
                                           QByteArray::number(exif.size()) + '\n' + exif.toHex()));
              },
              Claim::ReadWithout},
        Claim{"IccProfileInAPngChunk",
              [] {
                  const QByteArray profile = be32(0x7FFFFFFF) + QByteArray(200, 'p');
                  return pngWith(
                      pngChunk("iCCP", QByteArray("p\0\0", 3) + qCompress(profile).mid(4)));
              },
              Claim::ReadWithout},
        Claim{"IccProfileLongerThanItsHeaderSays",
              [] {
                  const QByteArray profile = be32(100) + QByteArray(200, 'p');
                  return pngWith(
                      pngChunk("iCCP", QByteArray("p\0\0", 3) + qCompress(profile).mid(4)));
              },
              Claim::ReadWithout},
        Claim{"JpegSegmentHidingThePixels",
              [] {
                  return jpegWith(segment('\xE1', "Exif" + QByteArray(2, 0) + exifBlock(), 0xFFF0));
              },
              Claim::Refused},
        Claim{
            "ExifEntryCount",
            [] { return jpegWith(segment('\xE1', "Exif" + QByteArray(2, 0) + exifBlock(0xFFFF))); },
            Claim::ReadWithout},
        Claim{"IccProfileInJpegPieces",
              [] {
                  return jpegWith(segment('\xE2', QByteArray("ICC_PROFILE\0\x01\x02", 14) +
                                                      be32(0x7FFFFFFF) + QByteArray(124, 'p')));
              },
              Claim::ReadWithout},
        Claim{"IptcRecord",
              [] {
                  return jpegWith(
                      segment('\xED', QByteArray("Photoshop 3.0\0008BIM\x04\x04\0\0", 22) +
                                          be32(0x7FFFFFFF) + "\x1C\x02\x5A"));
              },
              Claim::ReadWithout},
        Claim{"NoneInSoundExif",
              [] { return jpegWith(segment('\xE1', "Exif" + QByteArray(2, 0) + exifBlock())); },
              Claim::ReadWith}),
    [](const ::testing::TestParamInfo<Claim> &info) { return std::string(info.param.name); });

} // namespace

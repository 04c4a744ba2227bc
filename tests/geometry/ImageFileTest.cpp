#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "ImageFile.h"
#include "ImageResizer.h"
#include "TestImages.h"

namespace {

bool near(QRgb a, QRgb b, int tolerance = 40)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

uint32_t crc32(const QByteArray &bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void putBigEndian(QByteArray &bytes, int at, uint32_t value, int size = 4)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = char(value >> (8 * (size - 1 - i)));
}

// A PNG whose header claims width x height; its tiny data could never fill that.
QByteArray pngClaiming(uint32_t width, uint32_t height)
{
    QByteArray png = TestImages::encoded(TestImages::solid(4, 4, Qt::red), "png");
    // Signature (8), IHDR length (4), "IHDR" at 12, width at 16, height at 20, CRC at 29.
    putBigEndian(png, 16, width);
    putBigEndian(png, 20, height);
    putBigEndian(png, 29, crc32(png.mid(12, 17)));
    return png;
}

// A JPEG whose frame header claims width x height.
QByteArray jpegClaiming(int width, int height)
{
    QByteArray jpeg = TestImages::encoded(TestImages::solid(16, 16, Qt::red), "jpeg");
    const int sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    putBigEndian(jpeg, sof + 5, height, 2);
    putBigEndian(jpeg, sof + 7, width, 2);
    return jpeg;
}

class ImageFileTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString save(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    }
    QTemporaryDir m_dir;
};

// EXIF orientation values and the tags they become.
struct Exif
{
    int exif;
    Picture::Orientation tag;
};

class ExifOrientation : public ImageFileTest, public ::testing::WithParamInterface<Exif>
{
};

TEST_P(ExifOrientation, BecomesTheTagWithPixelsAsStored)
{
    const QString file =
        save("tagged.jpg",
             TestImages::jpegWithOrientation(TestImages::quadrants(64, 48), GetParam().exif));
    QString error;
    const Picture picture = ImageFile::read(file, &error);
    ASSERT_FALSE(picture.isNull()) << error.toStdString();
    EXPECT_EQ(picture.orientation(), GetParam().tag);
    ASSERT_EQ(picture.grid().size(), QSize(64, 48));
    EXPECT_TRUE(near(picture.grid().pixel(8, 8), qRgb(255, 0, 0)));
    EXPECT_TRUE(near(picture.grid().pixel(56, 8), qRgb(0, 255, 0)));
}

INSTANTIATE_TEST_SUITE_P(AllEight, ExifOrientation,
                         ::testing::Values(Exif{1, Picture::Up}, Exif{3, Picture::Down},
                                           Exif{8, Picture::Left}, Exif{6, Picture::Right},
                                           Exif{2, Picture::UpMirrored},
                                           Exif{4, Picture::DownMirrored},
                                           Exif{5, Picture::LeftMirrored},
                                           Exif{7, Picture::RightMirrored}));

TEST_F(ImageFileTest, PngRoundTripIsExact)
{
    const QImage grid = TestImages::random(37, 23, 21);
    QString error;
    ASSERT_TRUE(ImageFile::write(Picture(grid), path("out.png"), &error)) << error.toStdString();
    const Picture back = ImageFile::read(path("out.png"), &error);
    EXPECT_EQ(back.grid(), grid);
    EXPECT_EQ(back.orientation(), Picture::Up);
}

TEST_F(ImageFileTest, WritesUpright)
{
    const Picture picture(TestImages::labelled(3, 2), Picture::Right);
    QString error;
    ASSERT_TRUE(ImageFile::write(picture, path("upright.PNG"), &error));
    const Picture back = ImageFile::read(path("upright.PNG"), &error);
    EXPECT_EQ(back.grid(), picture.upright().grid());
}

TEST_F(ImageFileTest, JpegKeepsTheContentAndQualityMatters)
{
    const Picture picture(TestImages::quadrants(64, 64), Picture::Down);
    const QByteArray good = ImageFile::encodeJpeg(picture, 95);
    const QByteArray poor = ImageFile::encodeJpeg(Picture(TestImages::random(64, 64, 2)), 10);
    const QByteArray rich = ImageFile::encodeJpeg(Picture(TestImages::random(64, 64, 2)), 95);
    EXPECT_LT(poor.size(), rich.size());
    QString error;
    const Picture back = ImageFile::decode(good, &error);
    ASSERT_FALSE(back.isNull()) << error.toStdString();
    // Written upright: the white quadrant comes first.
    EXPECT_TRUE(near(back.grid().pixel(8, 8), qRgb(255, 255, 255)));
    EXPECT_TRUE(near(back.grid().pixel(56, 56), qRgb(255, 0, 0)));
    EXPECT_TRUE(ImageFile::encodeJpeg(Picture()).isEmpty());
}

TEST_F(ImageFileTest, JpegWriteReplacesAnExistingFile)
{
    save("photo.jpeg", "old content");
    QString error;
    ASSERT_TRUE(
        ImageFile::write(Picture(TestImages::quadrants(32, 32)), path("photo.jpeg"), &error, 90));
    EXPECT_FALSE(ImageFile::read(path("photo.jpeg"), &error).isNull());
}

TEST_F(ImageFileTest, LargeJpegIsDecodedAtReducedScaleThatStillCoversTheBox)
{
    const QString file =
        save("big.jpg", TestImages::encoded(TestImages::quadrants(1600, 1200), "jpeg"));
    QString error;
    const Picture picture = ImageFile::read(file, &error, QSize(320, 240));
    ASSERT_FALSE(picture.isNull()) << error.toStdString();
    EXPECT_EQ(picture.grid().size(), QSize(400, 300));
    EXPECT_EQ(ImageResizer::colorMatch(picture, QSizeF(320, 240)).grid().size(), QSize(320, 240));
    // A box the picture only just exceeds leaves it at full size.
    EXPECT_EQ(ImageFile::read(file, &error, QSize(1024, 768)).grid().size(), QSize(1600, 1200));
}

TEST_F(ImageFileTest, ReducedDecodeTurnsTheBoxForSidewaysPictures)
{
    // Stored 1600 x 1200, upright 1200 x 1600: a 240 x 320 upright box needs 300 x 400
    // upright, so the stored grid may go to 400 x 300.
    const QString file =
        save("side.jpg", TestImages::jpegWithOrientation(TestImages::quadrants(1600, 1200), 6));
    QString error;
    const Picture picture = ImageFile::read(file, &error, QSize(320, 240));
    ASSERT_EQ(picture.orientation(), Picture::Right);
    EXPECT_EQ(picture.grid().size(), QSize(400, 300));
}

// --- bad input --------------------------------------------------------------------------

struct BadFile
{
    const char *name;
    QByteArray (*bytes)();
    const char *reason; // a word the message must hold
};

QByteArray truncatedJpeg()
{
    const QByteArray jpeg = TestImages::encoded(TestImages::random(200, 200, 4), "jpeg");
    return jpeg.left(jpeg.size() / 2);
}

QByteArray truncatedPng()
{
    const QByteArray png = TestImages::encoded(TestImages::random(200, 200, 4), "png");
    return png.left(png.size() / 2);
}

const BadFile kBadFiles[] = {
    {"empty.jpg", [] { return QByteArray(); }, "empty"},
    {"half.jpg", truncatedJpeg, "truncated"},
    {"half.png", truncatedPng, "truncated"},
    {"notes.jpg", [] { return QByteArray("just some words, not a picture\n"); }, "not an image"},
    {"phone.heic",
     [] {
         return QByteArray("\0\0\0\x18"
                           "ftypheic\0\0\0\0mif1heic",
                           24) +
                QByteArray(64, 0);
     },
     "not supported"},
    {"bomb.png", [] { return pngClaiming(100000, 100000); }, "too large"},
    {"bomb.jpg", [] { return jpegClaiming(65000, 65000); }, "too large"},
    {"header.png",
     [] { return TestImages::encoded(TestImages::solid(4, 4, Qt::red), "png").left(20); },
     "damaged"},
};

class BadFiles : public ImageFileTest, public ::testing::WithParamInterface<BadFile>
{
};

TEST_P(BadFiles, AreRefusedNamingTheFileAndTheReason)
{
    const QString file = save(GetParam().name, GetParam().bytes());
    QString error;
    const Picture picture = ImageFile::read(file, &error);
    EXPECT_TRUE(picture.isNull());
    EXPECT_TRUE(error.contains(GetParam().name)) << error.toStdString();
    EXPECT_TRUE(error.contains(QLatin1String(GetParam().reason), Qt::CaseInsensitive))
        << error.toStdString();
    // The same bytes from memory fail the same way.
    QString memoryError;
    EXPECT_TRUE(ImageFile::decode(GetParam().bytes(), &memoryError).isNull());
    EXPECT_FALSE(memoryError.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, BadFiles, ::testing::ValuesIn(kBadFiles));

TEST_F(ImageFileTest, MissingFileAndFolderAreReported)
{
    QString error;
    EXPECT_TRUE(ImageFile::read(path("absent.jpg"), &error).isNull());
    EXPECT_TRUE(error.contains("absent.jpg")) << error.toStdString();
    EXPECT_TRUE(ImageFile::read(m_dir.path(), &error).isNull());
    EXPECT_TRUE(error.contains("folder")) << error.toStdString();
}

TEST_F(ImageFileTest, UnreadableFileIsReported)
{
    const QString file =
        save("locked.png", TestImages::encoded(TestImages::solid(4, 4, Qt::red), "png"));
    QFile::setPermissions(file, QFileDevice::WriteOwner);
    QFile probe(file);
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that read any file";
    QString error;
    EXPECT_TRUE(ImageFile::read(file, &error).isNull());
    EXPECT_TRUE(error.contains("locked.png")) << error.toStdString();
}

TEST_F(ImageFileTest, WriteRefusesWhatItCannotDo)
{
    const Picture picture(TestImages::solid(4, 4, Qt::red));
    QString error;
    EXPECT_FALSE(ImageFile::write(picture, path("picture.bmp"), &error));
    EXPECT_TRUE(error.contains("picture.bmp")) << error.toStdString();
    EXPECT_FALSE(ImageFile::write(Picture(), path("none.png"), &error));
    EXPECT_FALSE(QFile::exists(path("none.png")));
    EXPECT_FALSE(ImageFile::write(picture, path("no/such/folder/x.png"), &error));
    EXPECT_TRUE(error.contains("x.png")) << error.toStdString();
}

TEST(ImageFileSamples, ReadsTheBundledSamples)
{
    const QByteArray source = qgetenv("VELMORA_SOURCE_DIR");
    const QString file = QString::fromLocal8Bit(source) + "/resources/samples/chelsea.png";
    if (source.isEmpty() || !QFile::exists(file))
        GTEST_SKIP() << "no samples";
    QString error;
    const Picture picture = ImageFile::read(file, &error);
    EXPECT_FALSE(picture.isNull()) << error.toStdString();
}

} // namespace

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "ImageFile.h"
#include "ImageResizer.h"
#include "TestImages.h"

namespace {

// What JPEG keeps of a flat colour: the top bit of each channel.
const QRgb kTopBits = 0x808080;

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString save(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return file.fileName();
}

// The tag each EXIF orientation 1..8 becomes.
const Picture::Orientation kFromExif[] = {
    Picture::Up,           Picture::UpMirrored, Picture::Down,          Picture::DownMirrored,
    Picture::LeftMirrored, Picture::Right,      Picture::RightMirrored, Picture::Left};

using ExifOrientation = ::testing::TestWithParam<int>;

TEST_P(ExifOrientation, BecomesTheTagWithThePixelsAsStored)
{
    const QImage quadrants = TestImages::quadrants(64, 48);
    QString error;
    const Picture picture =
        ImageFile::decode(TestImages::jpegWithOrientation(quadrants, GetParam()), &error);
    ASSERT_EQ(picture.grid().size(), QSize(64, 48)) << error.toStdString();
    EXPECT_EQ(picture.orientation(), kFromExif[GetParam() - 1]);
    EXPECT_EQ(picture.grid().pixel(8, 8) & kTopBits, quadrants.pixel(8, 8) & kTopBits);
}

INSTANTIATE_TEST_SUITE_P(AllEight, ExifOrientation, ::testing::Range(1, 9));

TEST(ImageFile, PngKeepsEveryBitAndJpegTheQualityBothWrittenUpright)
{
    QTemporaryDir dir;
    QString error;
    const Picture sideways(TestImages::random(37, 23, 21), Picture::Right);
    ASSERT_TRUE(ImageFile::write(sideways, dir.filePath("out.PNG"), &error)) << error.toStdString();
    const Picture back = ImageFile::read(dir.filePath("out.PNG"), &error);
    EXPECT_EQ(back.grid(), sideways.upright().grid());
    EXPECT_EQ(back.orientation(), Picture::Up);
    // Half a turn: the white quadrant at the top left.
    const Picture turned(TestImages::quadrants(64, 64), Picture::Down);
    const QImage jpeg = ImageFile::decode(ImageFile::encodeJpeg(turned, 95), &error).grid();
    EXPECT_EQ(jpeg.pixel(8, 8) & kTopBits, qRgb(255, 255, 255) & kTopBits) << error.toStdString();
    const Picture noise(TestImages::random(64, 64, 2));
    EXPECT_LT(ImageFile::encodeJpeg(noise, 10).size(), ImageFile::encodeJpeg(noise, 95).size());
    EXPECT_TRUE(ImageFile::encodeJpeg(Picture()).isEmpty());
}

TEST(ImageFile, WriteReplacesAFileWholeOrNotAtAll)
{
    QTemporaryDir dir;
    QString error;
    const auto refused = [&](const Picture &picture, const QString &name) {
        const QByteArray before = contents(dir.filePath(name));
        EXPECT_FALSE(ImageFile::write(picture, dir.filePath(name), &error)) << name.toStdString();
        EXPECT_TRUE(error.contains(QFileInfo(name).fileName())) << error.toStdString();
        EXPECT_EQ(contents(dir.filePath(name)), before) << name.toStdString();
    };
    const Picture picture(TestImages::quadrants(32, 32));
    save(dir, "old.png", "old content");
    save(dir, "old.jpg", "old content");
    refused(picture, "picture.bmp");
    refused(Picture(), "old.png");
    refused(picture, "no/such/folder/x.png");
    // Wider than a JPEG can hold: the encoder fails after the file was opened.
    refused(Picture(TestImages::solid(70000, 1, Qt::red)), "old.jpg");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"old.jpg", "old.png"}));
    ASSERT_TRUE(ImageFile::write(picture, dir.filePath("old.jpg"), &error)) << error.toStdString();
    EXPECT_EQ(ImageFile::read(dir.filePath("old.jpg"), &error).grid().size(), QSize(32, 32));
}

TEST(ImageFile, LargeJpegIsDecodedSmallerWhenThatStillCoversTheBox)
{
    QTemporaryDir dir;
    const QByteArray jpeg = TestImages::encoded(TestImages::quadrants(1600, 1200), "jpeg");
    const QString big = save(dir, "big.jpg", jpeg);
    EXPECT_EQ(ImageFile::read(big, nullptr, QSize(320, 240)).grid().size(), QSize(400, 300));
    // A box the picture only just exceeds leaves it at full size.
    EXPECT_EQ(ImageFile::read(big, nullptr, QSize(1024, 768)).grid().size(), QSize(1600, 1200));
    // 644 x 480 fits 320 x 240 as 320 x 236; at half size (322 x 240) it would not be reduced.
    const QString wide =
        save(dir, "wide.jpg", TestImages::encoded(TestImages::quadrants(644, 480), "jpeg"));
    const Picture fitted =
        ImageResizer::colorMatch(ImageFile::read(wide, nullptr, QSize(320, 240)), QSizeF(320, 240));
    EXPECT_EQ(fitted.grid().size(), QSize(320, 236));
}

// A bad file's bytes, and a word the message must hold.
std::pair<QByteArray, const char *> bad(const std::string &name)
{
    const QByteArray png = TestImages::encoded(TestImages::random(200, 200, 4), "png");
    const QByteArray jpeg = TestImages::encoded(TestImages::random(200, 200, 4), "jpeg");
    // Headers claiming 100000 x 100000 (checksum included) and 65000 x 65000 pixels.
    const QByteArray pngHeader("\0\x01\x86\xa0\0\x01\x86\xa0\x08\x02\0\0\0\x27\x30\x9c\x9f", 17);
    const QByteArray heif = QByteArray("\0\0\0\x18\x66typheic\0\0\0\0mif1heic", 24);
    const int jpegFrame = int(jpeg.indexOf("\xFF\xC0"));
    const std::map<std::string, std::pair<QByteArray, const char *>> files = {
        {"empty.jpg", {QByteArray(), "empty"}},
        {"half.jpg", {jpeg.left(jpeg.size() / 2), "truncated"}},
        {"half.png", {png.left(png.size() / 2), "truncated"}},
        {"header.png", {png.left(20), "damaged"}},
        {"notes.jpg", {"just some words, not a picture\n", "not an image"}},
        {"phone.heic", {heif.leftJustified(88, 0), "not supported"}},
        {"bomb.png", {QByteArray(png).replace(16, 17, pngHeader), "too large"}},
        {"bomb.jpg",
         {QByteArray(jpeg).replace(jpegFrame + 5, 4, "\xFD\xE8\xFD\xE8"), "too large"}}};
    return files.at(name);
}

using BadFiles = ::testing::TestWithParam<const char *>;

TEST_P(BadFiles, AreRefusedNamingTheFileAndTheReason)
{
    const auto [bytes, reason] = bad(GetParam());
    QTemporaryDir dir;
    QString error;
    EXPECT_TRUE(ImageFile::read(save(dir, GetParam(), bytes), &error).isNull());
    EXPECT_TRUE(error.contains(GetParam()) && error.contains(reason)) << error.toStdString();
    EXPECT_TRUE(ImageFile::decode(bytes, &error).isNull());
    EXPECT_TRUE(error.contains("image data") && error.contains(reason)) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Kinds, BadFiles,
                         ::testing::Values("empty.jpg", "half.jpg", "half.png", "header.png",
                                           "notes.jpg", "phone.heic", "bomb.png", "bomb.jpg"));

TEST(ImageFile, MissingUnreadableAndFolderAreReported)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_TRUE(ImageFile::read(dir.filePath("absent.jpg"), &error).isNull());
    EXPECT_TRUE(error.contains("absent.jpg")) << error.toStdString();
    EXPECT_TRUE(ImageFile::read(dir.path(), &error).isNull());
    EXPECT_TRUE(error.contains("folder")) << error.toStdString();
    const QString locked =
        save(dir, "locked.png", TestImages::encoded(TestImages::solid(4, 4, Qt::red), "png"));
    QFile::setPermissions(locked, QFileDevice::WriteOwner);
    if (QFile(locked).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that read any file";
    EXPECT_TRUE(ImageFile::read(locked, &error).isNull());
    EXPECT_TRUE(error.contains("locked.png")) << error.toStdString();
}

} // namespace

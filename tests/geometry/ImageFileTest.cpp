#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/stat.h>
#include <unistd.h>

#include "ImageFile.h"
#include "TaggedPhotos.h"
#include "TestImages.h"

namespace {

// What JPEG keeps of a flat colour: the top bit of each channel.
const QRgb kTopBits = 0x808080;

TEST(ImageFile, EachExifOrientationBecomesTheTagWithThePixelsAsStored)
{
    const Picture::Orientation fromExif[] = {
        Picture::Up,           Picture::UpMirrored, Picture::Down,          Picture::DownMirrored,
        Picture::LeftMirrored, Picture::Right,      Picture::RightMirrored, Picture::Left};
    const QImage quadrants = TestImages::quadrants(64, 48);
    for (int exif = 1; exif <= 8; ++exif)
        for (const bool png : {false, true}) {
            QString error;
            const Picture picture =
                ImageFile::decode(png ? TaggedPhotos::cameraPng(quadrants, uint16_t(exif))
                                      : TaggedPhotos::cameraJpeg(quadrants, uint16_t(exif)),
                                  &error);
            ASSERT_EQ(picture.grid().size(), QSize(64, 48)) << error.toStdString();
            EXPECT_EQ(picture.orientation(), fromExif[exif - 1]) << exif << (png ? " png" : "");
            EXPECT_EQ(picture.grid().pixel(8, 8) & kTopBits, quadrants.pixel(8, 8) & kTopBits);
        }
}

TEST(ImageFile, WritesUprightAndReplacesOnlyARegularFileWholeOrNotAtAll)
{
    QTemporaryDir dir;
    QString error;
    const Picture sideways(TestImages::random(37, 23, 21), Picture::Right);
    ASSERT_TRUE(ImageFile::write(sideways, dir.filePath("out.PNG"), &error)) << error.toStdString();
    EXPECT_EQ(ImageFile::read(dir.filePath("out.PNG"), &error).grid(), sideways.upright().grid());
    // Half a turn: the white quadrant at the top left.
    const Picture turned(TestImages::quadrants(64, 64), Picture::Down);
    const QImage jpeg = ImageFile::decode(ImageFile::encodeJpeg(turned, 95), &error).grid();
    EXPECT_EQ(jpeg.pixel(8, 8) & kTopBits, qRgb(255, 255, 255) & kTopBits) << error.toStdString();
    // A write replaces a regular file whole (through a link, to its target) or leaves
    // everything as it was, with no temporary file behind.
    const auto at = [&](const char *name) { return dir.filePath(name); };
    const auto refused = [&](const Picture &picture, const char *name, const char *reason) {
        EXPECT_FALSE(ImageFile::write(picture, at(name), &error)) << name;
        EXPECT_TRUE(error.contains(QFileInfo(name).fileName()) && error.contains(reason))
            << error.toStdString();
    };
    const Picture picture(TestImages::quadrants(32, 32));
    ASSERT_TRUE(writeFile(at("old.jpg"), "old") && writeFile(at("real.png"), "old"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(at("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(at("pipe"), at("to-pipe.png")) &&
                QFile::link("real.png", at("link.png")) && QDir(dir.path()).mkdir("folder.png"));
    refused(picture, "picture.bmp", "unknown file type");
    // Wider than a JPEG can hold: said so, not "Unknown error".
    refused(Picture(TestImages::solid(65501, 1, Qt::red)), "old.jpg", "65500");
    refused(picture, "to-pipe.png", "not a regular file");
    refused(picture, "folder.png", "");
    EXPECT_EQ(contentsOf(at("old.jpg")), "old");
    ASSERT_TRUE(ImageFile::write(picture, at("link.png"), &error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(at("link.png")).isSymLink());
    EXPECT_EQ(ImageFile::read(at("real.png"), &error).grid(), picture.grid());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              (QStringList{"link.png", "old.jpg", "out.PNG", "pipe", "real.png", "to-pipe.png"}));
}

// Read for a box, a JPEG is decoded at 1/2, 1/4 or 1/8 only when the reduced picture still
// fits the box at the size the whole one would.
TEST(ImageFile, ReadsReducedWhereItFitsTheBoxAndRefusesBadInputNamingPathAndReason)
{
    QTemporaryDir dir;
    const auto saved = [&](const char *name, const QByteArray &bytes) {
        EXPECT_TRUE(writeFile(dir.filePath(name), bytes));
        return dir.filePath(name);
    };
    const QString large =
        saved("large.jpg", TestImages::encoded(TestImages::quadrants(1600, 1200), "jpeg"));
    const QString odd =
        saved("odd.jpg", TestImages::encoded(TestImages::quadrants(644, 480), "jpeg"));
    const QSize whole(1600, 1200), half(800, 600), quarter(400, 300), eighth(200, 150);
    for (const auto &[path, box, decoded] :
         {std::tuple{large, QSize(1024, 768), whole},
          {large, half, half},
          {large, QSize(600, 800), half},
          {large, quarter, quarter},
          {large, eighth, quarter}, // fits as 200 x 148
          {large, QSize(160, 120), eighth},
          // Fits 320 x 240 as 320 x 236; at half size (322 x 240) only as 320 x 238.
          {odd, QSize(320, 240), QSize(644, 480)}})
        EXPECT_EQ(ImageFile::read(path, nullptr, box).grid().size(), decoded)
            << box.width() << " x " << box.height();
    // Bad files, and paths that are no picture files at all: each refused at once, naming
    // the path and the reason, without blocking or reading more than a picture could take.
    const auto refused = [](const QString &path, const char *reason) {
        QString error;
        EXPECT_TRUE(ImageFile::read(path, &error).isNull()) << path.toStdString();
        EXPECT_TRUE(error.contains(path) && error.contains(reason)) << error.toStdString();
    };
    const QByteArray png = TestImages::encoded(TestImages::random(200, 200, 4), "png");
    const QByteArray jpeg = TestImages::encoded(TestImages::random(200, 200, 4), "jpeg");
    // A PNG header claiming 100000 x 100000 pixels, checksum included.
    const QByteArray pngHeader("\0\x01\x86\xa0\0\x01\x86\xa0\x08\x02\0\0\0\x27\x30\x9c\x9f", 17);
    const QByteArray heif = QByteArray("\0\0\0\x18\x66typheic\0\0\0\0mif1heic", 24);
    // Cut short after claiming 16384 x 8192 pixels, exactly the limit (refused only later, as
    // truncated), or one row more.
    const auto claiming = [&](const char *heightWidth) {
        return jpeg.left(jpeg.size() / 2).replace(jpeg.indexOf("\xFF\xC0") + 5, 4, heightWidth, 4);
    };
    for (const auto &[name, bytes, reason] :
         {std::tuple{"empty.jpg", QByteArray(), "the file is empty"},
          {"half.png", png.left(png.size() / 2), "the PNG data is truncated"},
          {"header.png", png.left(20), "the PNG header is damaged"},
          {"notes.jpg", QByteArray("just some words, not a picture\n"), "not an image"},
          {"phone.heic", heif.leftJustified(88, 0), "HEIF images are not supported"},
          {"bomb.png", QByteArray(png).replace(16, 17, pngHeader), "too large to decode"},
          {"limit.jpg", claiming("\x20\x00\x40\x00"), "the JPEG data is truncated"},
          {"cut.jpg", jpeg.left(jpeg.size() - 100).insert(2, "\xFF\xFF"), "JPEG data is truncated"},
          {"past.jpg", claiming("\x20\x01\x40\x00"), "too large"}})
        refused(saved(name, bytes), reason);
    QFile huge(dir.filePath("huge.jpg")), padded(dir.filePath("padded.png"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(4) << 30)); // sparse
    ASSERT_TRUE(padded.open(QIODevice::WriteOnly) &&
                padded.write(TestImages::encoded(TestImages::solid(10, 10, Qt::red), "png")) &&
                padded.resize(qint64(35) << 19)); // 17.5 MB
    refused(huge.fileName(), "more than any picture");
    refused(padded.fileName(), "more than a 10 x 10 picture");
    refused(dir.filePath("absent.jpg"), "No such file");
    refused(dir.path(), "folder");
    // A path through a file: unreadable whatever this process's rights.
    refused(dir.filePath("notes.jpg/inside.png"), "Not a directory");
    // Fill bytes may stand before any marker: a complete stream padded so is read as it is.
    QString error;
    const QByteArray filled =
        QByteArray(jpeg).replace("\xFF\xDA", "\xFF\xFF\xFF\xDA").insert(2, "\xFF\xFF");
    EXPECT_EQ(ImageFile::decode(filled, &error).grid(), ImageFile::decode(jpeg, nullptr).grid())
        << error.toStdString();
}

TEST(ImageFile, TextChunksNeverReachThePngDecoder)
{
    // Compressed and plain text before and after the pixels; the picture itself is intact.
    const QImage red = TestImages::solid(10, 10, Qt::red);
    QImage annotated = red;
    annotated.setText("Comment", QString(200000, QLatin1Char('a')));
    annotated.setText("Title", "Velmora");
    QByteArray png = TestImages::encoded(annotated, "png");
    // The short one moves behind the pixels, where the decoder reads text too.
    const int at = int(png.indexOf("tEXt")) - 4;
    ASSERT_TRUE(at > 0 && png.contains("zTXt"));
    const QByteArray text = png.mid(at, 12 + int(qFromBigEndian<quint32>(png.constData() + at)));
    png.remove(at, text.size());
    png.insert(png.indexOf("IEND") - 4, text);
    QString error;
    const Picture picture = ImageFile::decode(png, &error);
    ASSERT_EQ(picture.grid(), red) << error.toStdString();
    EXPECT_TRUE(picture.grid().textKeys().isEmpty());
    // A JPEG of a thousand scans costs a thousand passes over the picture.
    const QByteArray jpeg = TestImages::encoded(TestImages::random(16, 16, 5), "jpeg");
    const int scan = int(jpeg.indexOf("\xFF\xDA"));
    const QByteArray scans = jpeg.mid(scan, jpeg.size() - scan - 2).repeated(1001);
    EXPECT_TRUE(ImageFile::decode(jpeg.left(scan) + scans + "\xFF\xD9", &error).isNull());
    EXPECT_TRUE(error.contains("scans")) << error.toStdString();
}

} // namespace

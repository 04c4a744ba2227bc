#include <gtest/gtest.h>

#include <map>
#include <optional>

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

QString save(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    EXPECT_TRUE(writeFile(dir.filePath(name), bytes));
    return dir.filePath(name);
}

// The tag each EXIF orientation 1..8 becomes.
const Picture::Orientation kFromExif[] = {
    Picture::Up,           Picture::UpMirrored, Picture::Down,          Picture::DownMirrored,
    Picture::LeftMirrored, Picture::Right,      Picture::RightMirrored, Picture::Left};

using ExifOrientation = ::testing::TestWithParam<std::tuple<int, bool>>;

TEST_P(ExifOrientation, BecomesTheTagWithThePixelsAsStored)
{
    const auto [orientation, png] = GetParam();
    const QImage quadrants = TestImages::quadrants(64, 48);
    QString error;
    const Picture picture =
        ImageFile::decode(png ? TaggedPhotos::cameraPng(quadrants, orientation)
                              : TaggedPhotos::cameraJpeg(quadrants, orientation),
                          &error);
    ASSERT_EQ(picture.grid().size(), QSize(64, 48)) << error.toStdString();
    EXPECT_EQ(picture.orientation(), kFromExif[orientation - 1]);
    EXPECT_EQ(picture.grid().pixel(8, 8) & kTopBits, quadrants.pixel(8, 8) & kTopBits);
}

INSTANTIATE_TEST_SUITE_P(AllEight, ExifOrientation,
                         ::testing::Combine(::testing::Range(1, 9), ::testing::Bool()));

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
    // The quality reaches the encoder on both paths; ".jpeg" is a JPEG too.
    const Picture noise(TestImages::random(64, 64, 2));
    EXPECT_LT(ImageFile::encodeJpeg(noise, 10).size(), ImageFile::encodeJpeg(noise, 95).size());
    ASSERT_TRUE(ImageFile::write(noise, dir.filePath("low.jpeg"), &error, 10) &&
                ImageFile::write(noise, dir.filePath("high.jpg"), &error, 95));
    EXPECT_LT(QFileInfo(dir.filePath("low.jpeg")).size() * 2,
              QFileInfo(dir.filePath("high.jpg")).size());
    EXPECT_TRUE(contentsOf(dir.filePath("low.jpeg")).startsWith("\xFF\xD8"));
    EXPECT_TRUE(ImageFile::encodeJpeg(Picture()).isEmpty());
    for (auto [name, format] : {std::pair{"a.jpg", "jpeg"},
                                {"b.JPEG", "jpeg"},
                                {"c.Png", "png"},
                                {"d.bmp", ""},
                                {"jpg", ""}})
        EXPECT_EQ(ImageFile::writeFormat(name), QByteArray(format)) << name;
}

TEST(ImageFile, WriteReplacesAFileWholeOrNotAtAll)
{
    QTemporaryDir dir;
    QString error;
    const auto refused = [&](const Picture &picture, const QString &name) {
        const QByteArray before = contentsOf(dir.filePath(name));
        EXPECT_FALSE(ImageFile::write(picture, dir.filePath(name), &error)) << name.toStdString();
        EXPECT_TRUE(error.contains(QFileInfo(name).fileName())) << error.toStdString();
        EXPECT_EQ(contentsOf(dir.filePath(name)), before) << name.toStdString();
    };
    const Picture picture(TestImages::quadrants(32, 32));
    save(dir, "old.png", "old content");
    save(dir, "old.jpg", "old content");
    refused(picture, "picture.bmp");
    refused(Picture(), "old.png");
    refused(picture, "no/such/folder/x.png");
    // Wider than a JPEG can hold: said so, not "Unknown error".
    refused(Picture(TestImages::solid(65501, 1, Qt::red)), "old.jpg");
    EXPECT_TRUE(error.contains("65500")) << error.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"old.jpg", "old.png"}));
    ASSERT_TRUE(ImageFile::write(picture, dir.filePath("old.jpg"), &error)) << error.toStdString();
    EXPECT_EQ(ImageFile::read(dir.filePath("old.jpg"), &error).grid().size(), QSize(32, 32));
}

// A quadrants JPEG of one size read for a box, and the size it is decoded at: 1/2, 1/4 or
// 1/8 only when the reduced picture still fits the box at the size the whole one would.
using ReducedDecode = ::testing::TestWithParam<std::tuple<QSize, QSize, QSize>>;

TEST_P(ReducedDecode, KeepsTheFittedSize)
{
    const auto [stored, box, decoded] = GetParam();
    QTemporaryDir dir;
    const QString path =
        save(dir, "big.jpg",
             TestImages::encoded(TestImages::quadrants(stored.width(), stored.height()), "jpeg"));
    EXPECT_EQ(ImageFile::read(path, nullptr, box).grid().size(), decoded);
}

const QSize kLarge(1600, 1200);
INSTANTIATE_TEST_SUITE_P(
    Boxes, ReducedDecode,
    ::testing::Values(std::tuple{kLarge, QSize(1024, 768), kLarge},
                      std::tuple{kLarge, QSize(800, 600), QSize(800, 600)},
                      std::tuple{kLarge, QSize(600, 800), QSize(800, 600)},
                      std::tuple{kLarge, QSize(320, 240), QSize(400, 300)},
                      std::tuple{kLarge, QSize(400, 300), QSize(400, 300)},
                      std::tuple{kLarge, QSize(200, 150), QSize(400, 300)}, // fits as 200 x 148
                      std::tuple{kLarge, QSize(160, 120), QSize(200, 150)},
                      std::tuple{kLarge, QSize(100, 75), QSize(200, 150)},
                      std::tuple{kLarge, QSize(), kLarge},
                      // Fits 320 x 240 as 320 x 236; at half size (322 x 240) only as 320 x 238.
                      std::tuple{QSize(644, 480), QSize(320, 240), QSize(644, 480)}));

// The bytes of a bad file, by name; none for the inputs that are made otherwise.
std::optional<QByteArray> badBytes(const std::string &name)
{
    const QByteArray png = TestImages::encoded(TestImages::random(200, 200, 4), "png");
    const QByteArray jpeg = TestImages::encoded(TestImages::random(200, 200, 4), "jpeg");
    // A PNG header claiming 100000 x 100000 pixels, checksum included.
    const QByteArray pngHeader("\0\x01\x86\xa0\0\x01\x86\xa0\x08\x02\0\0\0\x27\x30\x9c\x9f", 17);
    const QByteArray heif = QByteArray("\0\0\0\x18\x66typheic\0\0\0\0mif1heic", 24);
    const int jpegFrame = int(jpeg.indexOf("\xFF\xC0"));
    // Cut short after claiming 16384 x 8192 pixels, exactly the limit (refused only later,
    // as truncated), or one row more.
    const auto claiming = [&](const QByteArray &heightWidth) {
        return QByteArray(jpeg.left(jpeg.size() / 2)).replace(jpegFrame + 5, 4, heightWidth);
    };
    const std::map<std::string, QByteArray> files = {
        {"empty.jpg", QByteArray()},
        {"half.jpg", jpeg.left(jpeg.size() / 2)},
        {"half.png", png.left(png.size() / 2)},
        {"header.png", png.left(20)},
        {"notes.jpg", "just some words, not a picture\n"},
        {"phone.heic", heif.leftJustified(88, 0)},
        {"bomb.png", QByteArray(png).replace(16, 17, pngHeader)},
        {"limit.jpg", claiming(QByteArray("\x20\x00\x40\x00", 4))},
        {"past.jpg", claiming(QByteArray("\x20\x01\x40\x00", 4))}};
    const auto found = files.find(name);
    return found == files.end() ? std::nullopt : std::optional(found->second);
}

// Bad files, and paths that are no picture files at all: each refused at once, naming the
// path and the reason, without blocking or reading more than a picture could take.
using BadInput = ::testing::TestWithParam<std::pair<const char *, const char *>>;

TEST_P(BadInput, IsRefusedNamingThePathAndTheReason)
{
    const std::string name = GetParam().first;
    const char *reason = GetParam().second;
    QTemporaryDir dir;
    QString path = name[0] == '/' ? QString(GetParam().first) : dir.filePath(GetParam().first);
    QString error;
    const QByteArray smallPng = TestImages::encoded(TestImages::solid(10, 10, Qt::red), "png");
    QFile file(path);
    if (const std::optional<QByteArray> bytes = badBytes(name)) {
        save(dir, GetParam().first, *bytes);
        EXPECT_TRUE(ImageFile::decode(*bytes, &error).isNull());
        EXPECT_TRUE(error.contains("image data") && error.contains(reason)) << error.toStdString();
    } else if (name == "fifo.jpg") {
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (name == "huge.jpg" || name == "padded.png") { // sparse 4 GB; 17.5 MB
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) &&
                    file.write(name == "padded.png" ? smallPng : "") >= 0 &&
                    file.resize(name == "huge.jpg" ? qint64(4) << 30 : qint64(35) << 19));
    } else if (name == "plain.png/inside.png") {
        save(dir, "plain.png", smallPng);
    } else if (name == "folder") {
        path = dir.path();
    }
    EXPECT_TRUE(ImageFile::read(path, &error).isNull());
    EXPECT_TRUE(error.contains(path) && error.contains(reason)) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, BadInput,
    ::testing::Values(std::pair{"empty.jpg", "empty"}, std::pair{"half.jpg", "truncated"},
                      std::pair{"half.png", "truncated"}, std::pair{"header.png", "damaged"},
                      std::pair{"notes.jpg", "not an image"},
                      std::pair{"phone.heic", "not supported"}, std::pair{"bomb.png", "too large"},
                      std::pair{"limit.jpg", "truncated"}, std::pair{"past.jpg", "too large"},
                      std::pair{"fifo.jpg", "pipe"}, std::pair{"/dev/zero", "device"},
                      std::pair{"huge.jpg", "more than any picture"},
                      std::pair{"padded.png", "more than a 10 x 10 picture"},
                      std::pair{"absent.jpg", "No such file"}, std::pair{"folder", "folder"},
                      // A path through a file: unreadable whatever this process's rights.
                      std::pair{"plain.png/inside.png", "Not a directory"}));

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
}

TEST(ImageFile, AJpegWithThousandsOfScansIsRefused)
{
    const QByteArray jpeg = TestImages::encoded(TestImages::random(16, 16, 5), "jpeg");
    const int scan = int(jpeg.indexOf("\xFF\xDA"));
    const QByteArray header = jpeg.left(scan), data = jpeg.mid(scan, jpeg.size() - scan - 2);
    QString error;
    EXPECT_TRUE(ImageFile::decode(header + data.repeated(1001) + "\xFF\xD9", &error).isNull());
    EXPECT_TRUE(error.contains("scans")) << error.toStdString();
}

TEST(ImageFile, OnlyRegularFilesAreReplacedAndLinksAreWrittenThrough)
{
    QTemporaryDir dir;
    QString error;
    const Picture picture(TestImages::quadrants(8, 8));
    const QByteArray fifo = QFile::encodeName(dir.filePath("pipe"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(dir.filePath("pipe"), dir.filePath("to-pipe.png")) &&
                QDir(dir.path()).mkdir("folder.png"));
    EXPECT_FALSE(ImageFile::write(picture, dir.filePath("to-pipe.png"), &error));
    EXPECT_TRUE(error.contains("not a regular file")) << error.toStdString();
    struct stat info;
    ASSERT_EQ(::stat(fifo.constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the pipe is still a pipe";
    EXPECT_FALSE(ImageFile::write(picture, dir.filePath("folder.png"), &error));
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.png")).isDir());

    // A link to a regular file: the target gets the picture, the link stays a link and
    // reads back through.
    ASSERT_TRUE(writeFile(dir.filePath("real.png"), "old") &&
                QFile::link("real.png", dir.filePath("link.png")));
    ASSERT_TRUE(ImageFile::write(picture, dir.filePath("link.png"), &error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(dir.filePath("link.png")).isSymLink());
    EXPECT_EQ(ImageFile::read(dir.filePath("link.png"), &error).grid(), picture.grid());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              (QStringList{"link.png", "pipe", "real.png", "to-pipe.png"}))
        << "no temporary file is left";
}

} // namespace

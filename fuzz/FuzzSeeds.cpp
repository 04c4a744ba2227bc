#include "FuzzSeeds.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include "ImageEffect.h"
#include "PhotoMetadata.h"
#include "PhotoSettings.h"
#include "TaggedPhotos.h"

namespace {

QByteArray encoded(const QImage &image, const char *format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(80);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

// An APP1 block holding only an EXIF orientation, after the start-of-image marker.
QByteArray withOrientation(const QByteArray &jpeg, char orientation)
{
    // clang-format off
    const char app1[] = {
        '\xFF', '\xE1', 0, 34,                     // marker, length
        'E', 'x', 'i', 'f', 0, 0,                  // identifier
        'I', 'I', 0x2A, 0, 8, 0, 0, 0,             // little-endian TIFF header
        1, 0,                                      // one entry
        0x12, 0x01, 3, 0, 1, 0, 0, 0,              // orientation, SHORT, 1
        orientation, 0, 0, 0,                      // value
        0, 0, 0, 0,                                // no next IFD
    };
    // clang-format on
    return jpeg.left(2) + QByteArray(app1, sizeof app1) + jpeg.mid(2);
}

} // namespace

namespace FuzzSeeds {

QList<QByteArray> imageIntake(const QString &samplesDir)
{
    const QDir samples(samplesDir);
    QList<QByteArray> seeds;
    for (const QString &name : samples.entryList({QStringLiteral("*.png")}, QDir::Files)) {
        const QImage sample(samples.filePath(name));
        for (const QSize size : {QSize(24, 18), QSize(40, 64)}) {
            QImage small = sample.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                               .convertToFormat(QImage::Format_RGB32);
            small.setColorSpace(QColorSpace()); // the samples' profile would outweigh the pixels
            const QByteArray jpeg = encoded(small, "jpeg");
            const QList<QByteArray> files = {
                encoded(small, "png"),
                encoded(small.convertToFormat(QImage::Format_Grayscale8), "png"),
                encoded(small.convertToFormat(QImage::Format_ARGB32), "png"),
                jpeg,
                encoded(small, "jpeg", true),
                withOrientation(jpeg, 6),
                withOrientation(jpeg, 3),
            };
            for (const QByteArray &file : files) {
                // The three leading bytes choose the effect, its level and the working size.
                const int n = seeds.size();
                const char choice[] = {char(n * 7), char(n * 5), char(n)};
                seeds.append(QByteArray(choice, sizeof choice) + file);
            }
        }
    }
    return seeds;
}

QList<QByteArray> settingsFile()
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("settings.ini"));
    {
        PhotoSettings settings(path);
        settings.setLefthand(true);
        settings.setSegment(2);
        settings.setPhotoSize(1);
        settings.setImage(Picture(QImage(12, 8, QImage::Format_RGB32), Picture::Right));
        settings.save();
    }
    QFile saved(path);
    const QByteArray written = saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
    return {
        written,
        "\xEF\xBB\xBF[General]\nsaved=true\nanimation=false\nupdate=1\ngroup=1\n",
        "; comment\n[General]\nsaved=true\n%75i%20type=1\nphoto%20size=\"2\"\n\n[Other]\nx=y\n",
        "[General]\nsaved=yes\ngroup=-1\nphoto%20size=4294967298\nimage=!!!\nunknown=kept\n",
        "[General\nsaved=true\n",
        QByteArray("saved=true\0", 11),
    };
}

QList<QByteArray> cliOptions()
{
    const QString first = ImageEffect::effectName(0, 1);
    const QString frame = ImageEffect::effectName(ImageEffect::kFrameGroup, 0);
    const QList<QStringList> lists = {
        {"list", "--json"},
        {"apply", "-e", first, "-o", "out.jpg", "in.jpg"},
        {"apply", "-e", first + "=20", "-e", "2:3=0", "-s", "web", "-d", "out", "a.png", "b.jpg"},
        {"apply", "--effect=" + frame, "-q", "1", "--seed", "4294967295", "-j", "256", "-m", "64",
         "--force", "--strip", "-o", "x.png", "--", "-in.jpg"},
        {"apply", "-e", "1:99999999999", "-o", "o.jpg", "i.jpg"},
        {"apply", "-sOriginal", "-j2", "-d", ".", "i.jpg"},
        {"--version"},
    };
    QList<QByteArray> seeds;
    for (const QStringList &list : lists)
        seeds.append(list.join(QChar(0)).toUtf8());
    return seeds;
}

QList<QByteArray> metadata()
{
    const QImage grid = TestImages::solid(24, 18, Qt::darkCyan);
    const QByteArray camera = TaggedPhotos::cameraJpeg(grid);
    // What the program writes: EXIF and IPTC in text records, XMP in an iTXt chunk.
    const QByteArray written =
        PhotoMetadata::read(camera).embedIn(encoded(grid, "png"), grid.size());
    return {camera, TaggedPhotos::cameraJpeg(grid, 1), TaggedPhotos::cameraPng(grid), written};
}

QList<QByteArray> recipe()
{
    return {"velmora-recipe 1\nsize 1600x1200\nAdjust Color Balance=14\nDramatic Black and "
            "White\n30's Photo seed=1893425061\nWhite border=8\n",
            "\xEF\xBB\xBFvelmora-recipe 1\r\n# mine\r\n\r\n size web \r\nnight vision seed=3\r\n"
            "2:10\r\n16 : 9 (HDTV)\r\n",
            "velmora-recipe 1\nsize original\nPosterize=0\n1:4 seed=4294967295\n3:9=20\n",
            "velmora-recipe 2\nsize full\n", "velmora-recipe 1\nsize 65536x1\nSepia=3\n"};
}

} // namespace FuzzSeeds

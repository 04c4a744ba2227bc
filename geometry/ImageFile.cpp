#include "ImageFile.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include "ImageResizer.h"

namespace {

void setError(QString *error, const QString &message)
{
    if (error)
        *error = message;
}

Picture::Orientation orientationOf(QImageIOHandler::Transformations transformation)
{
    switch (transformation) {
    case QImageIOHandler::TransformationRotate180:
        return Picture::Down;
    case QImageIOHandler::TransformationRotate270:
        return Picture::Left;
    case QImageIOHandler::TransformationRotate90:
        return Picture::Right;
    case QImageIOHandler::TransformationMirror:
        return Picture::UpMirrored;
    case QImageIOHandler::TransformationFlip:
        return Picture::DownMirrored;
    case QImageIOHandler::TransformationFlipAndRotate90:
        return Picture::LeftMirrored;
    case QImageIOHandler::TransformationMirrorAndRotate90:
        return Picture::RightMirrored;
    default:
        return Picture::Up;
    }
}

// The picture's tag for an EXIF orientation (1..8), as the JPEG reader turns them.
Picture::Orientation orientationOf(int exifOrientation)
{
    static constexpr Picture::Orientation kOrientations[] = {
        Picture::Up,           Picture::UpMirrored, Picture::Down,          Picture::DownMirrored,
        Picture::LeftMirrored, Picture::Right,      Picture::RightMirrored, Picture::Left};
    return exifOrientation >= 1 && exifOrientation <= 8 ? kOrientations[exifOrientation - 1]
                                                        : Picture::Up;
}

// Formats that no installed plugin reads but that are recognisably pictures.
QString unsupportedFormat(const QByteArray &bytes)
{
    if (bytes.size() >= 12 && bytes.mid(4, 4) == "ftyp") {
        const QByteArray brand = bytes.mid(8, 4);
        if (brand == "avif" || brand == "avis")
            return QStringLiteral("AVIF");
        if (brand.startsWith("hei") || brand.startsWith("hev") || brand == "mif1" ||
            brand == "msf1")
            return QStringLiteral("HEIF");
    }
    if (bytes.startsWith("\xFF\x0A") || bytes.startsWith(QByteArray("\0\0\0\x0CJXL ", 8)))
        return QStringLiteral("JPEG XL");
    if (bytes.startsWith("8BPS"))
        return QStringLiteral("Photoshop");
    return QString();
}

// A complete PNG holds its empty IEND chunk (some writers append data after it). Checked
// before decoding because the PNG decoder reports a stream that stops early on stderr,
// outside any error path we can word.
bool pngComplete(const QByteArray &bytes)
{
    return bytes.lastIndexOf(QByteArray("\0\0\0\0IEND", 8)) >= 0;
}

// A JPEG decoder pads a stream that stops early with grey and reports success; a complete
// stream has an end-of-image marker after the first scan's header.
bool jpegComplete(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype size = bytes.size();
    qsizetype at = 2; // after the start-of-image marker
    while (at + 4 <= size) {
        if (data[at] != 0xFF)
            return false;
        const unsigned char marker = data[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        const qsizetype length = (qsizetype(data[at + 2]) << 8) | data[at + 3];
        if (marker == 0xDA) {
            // Entropy-coded data never holds 0xFF 0xD9: 0xFF bytes are stuffed or restarts.
            return bytes.indexOf(QByteArray("\xFF\xD9", 2), at + 2 + length) >= 0;
        }
        at += 2 + length;
    }
    return false;
}

Picture decodeNamed(const QByteArray &bytes, const QString &name, QSize fitBox, QString *error,
                    QString *warning)
{
    const auto fail = [&](const QString &reason) {
        setError(error, QStringLiteral("Cannot read %1: %2").arg(name, reason));
        return Picture();
    };
    if (bytes.isEmpty())
        return fail(QStringLiteral("the file is empty"));

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format.isEmpty()) {
        const QString known = unsupportedFormat(bytes);
        if (!known.isEmpty())
            return fail(QStringLiteral("%1 images are not supported").arg(known));
        return fail(QStringLiteral("not an image, or a format no installed image plugin reads"));
    }
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty())
        return fail(QStringLiteral("the %1 header is damaged or truncated")
                        .arg(QString::fromLatin1(format.toUpper())));

    const bool jpeg = format == "jpeg" || format == "jpg";
    QString damage;
    const PhotoMetadata metadata = PhotoMetadata::read(bytes, &damage);
    // The PNG reader leaves the orientation of an eXIf chunk to us.
    const Picture::Orientation orientation = format == "png"
                                                 ? orientationOf(metadata.exifOrientation())
                                                 : orientationOf(reader.transformation());
    QSize decoded = stored;
    if (jpeg && fitBox.isValid() && !fitBox.isEmpty()) {
        const bool sideways = Picture::isSideways(orientation);
        const auto fittedOf = [&](QSize grid) {
            return ImageResizer::fittedSize(sideways ? grid.transposed() : grid, fitBox);
        };
        const QSize fitted = fittedOf(stored);
        for (int denominator : {8, 4, 2}) {
            const QSize reduced(stored.width() / denominator, stored.height() / denominator);
            // Covering the fitted size is not enough: colorMatch must fit the reduced
            // picture to the very size it fits the whole one (a reduction that lands on the
            // box in one side only would not be reduced further).
            if (!reduced.isEmpty() && fittedOf(reduced) == fitted) {
                decoded = reduced;
                reader.setScaledSize(reduced);
                break;
            }
        }
    }
    if (qint64(decoded.width()) * decoded.height() > ImageFile::kMaxPixels)
        return fail(QStringLiteral("the picture is %1 x %2 pixels, too large to decode "
                                   "(at most %3 megapixels)")
                        .arg(stored.width())
                        .arg(stored.height())
                        .arg(ImageFile::kMaxPixels / 1000000));
    if (jpeg && !jpegComplete(bytes))
        return fail(QStringLiteral("the JPEG data is truncated"));
    if (format == "png" && !pngComplete(bytes))
        return fail(QStringLiteral("the PNG data is truncated"));

    reader.setAllocationLimit(int(ImageFile::kMaxPixels * 4 / (1024 * 1024)) + 16);
    QImage grid = reader.read();
    if (grid.isNull())
        return fail(QStringLiteral("the image data is damaged or truncated (%1)")
                        .arg(reader.errorString()));
    // The profile travels byte for byte in the metadata; a colour space left on the grid
    // would have the writers embed a second, regenerated one.
    grid.setColorSpace(QColorSpace());
    if (!damage.isEmpty())
        setError(warning, QStringLiteral("%1: %2").arg(name, damage));
    return Picture(grid, orientation).withMetadata(metadata);
}

// The file's bytes: the upright pixels and the picture's metadata. Empty when the pixels
// cannot be encoded (*error says why); metadata that cannot be written is left out.
QByteArray encode(const Picture &picture, const QByteArray &format, int quality, QString *error,
                  QString *warning)
{
    if (picture.isNull())
        return QByteArray();
    const Picture upright = picture.upright();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (format == "jpeg")
        writer.setQuality(qBound(0, quality, 100));
    if (!writer.write(upright.grid())) {
        setError(error, writer.errorString());
        return QByteArray();
    }
    return upright.metadata().embedIn(bytes, upright.grid().size(), warning);
}

} // namespace

Picture ImageFile::read(const QString &path, QString *error, QSize fitBox, QString *warning)
{
    const QString name = QDir::toNativeSeparators(path);
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        setError(error, QStringLiteral("Cannot read %1: it is a folder").arg(name));
        return Picture();
    }
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("Cannot read %1: %2").arg(name, file.errorString()));
        return Picture();
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setError(error, QStringLiteral("Cannot read %1: %2").arg(name, file.errorString()));
        return Picture();
    }
    return decodeNamed(bytes, name, fitBox, error, warning);
}

Picture ImageFile::decode(const QByteArray &bytes, QString *error)
{
    return decodeNamed(bytes, QStringLiteral("image data"), QSize(), error, nullptr);
}

QByteArray ImageFile::encodeJpeg(const Picture &picture, int quality)
{
    return encode(picture, "jpeg", quality, nullptr, nullptr);
}

QByteArray ImageFile::writeFormat(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return "jpeg";
    if (suffix == QLatin1String("png"))
        return "png";
    return QByteArray();
}

bool ImageFile::write(const Picture &picture, const QString &path, QString *error, int quality,
                      QString *warning)
{
    const QString name = QDir::toNativeSeparators(path);
    const auto fail = [&](const QString &reason) {
        setError(error, QStringLiteral("Cannot write %1: %2").arg(name, reason));
        return false;
    };
    if (picture.isNull())
        return fail(QStringLiteral("there is no picture"));
    const QByteArray format = writeFormat(path);
    if (format.isEmpty())
        return fail(QStringLiteral("unknown file type \"%1\" (use .jpg, .jpeg or .png)")
                        .arg(QFileInfo(path).suffix()));

    QString reason;
    QString damage;
    const QByteArray bytes = encode(picture, format, quality, &reason, &damage);
    if (bytes.isEmpty())
        return fail(reason);
    if (!damage.isEmpty())
        setError(warning, QStringLiteral("%1: %2").arg(name, damage));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return fail(file.errorString());
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

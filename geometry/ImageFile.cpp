#include "ImageFile.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>
#include <QImageWriter>

#include <cstring>
#include <optional>

#include "AtomicFile.h"
#include "ImageResizer.h"
#include "PngBandReader.h"
#include "RegularFile.h"

namespace {

// Room a file may take beyond its pixels: metadata, colour profile, thumbnail.
constexpr qint64 kMetadataRoom = qint64(16) << 20;
// Enough of a file's start to find its format and, for most files, its size.
constexpr qint64 kHeadBytes = qint64(1) << 20;
// A progressive JPEG has about ten scans; each one costs a pass over the whole picture.
constexpr qsizetype kMaxJpegScans = 1000;

// The most a stored picture of `pixels` could take: 16-bit RGBA, not compressed at all.
qint64 maxFileBytes(qint64 pixels)
{
    return pixels * 8 + kMetadataRoom;
}

QString megabytes(qint64 bytes)
{
    return QString::number((bytes + 999999) / 1000000);
}

void setError(QString *error, const QString &message)
{
    if (error)
        *error = message;
}

Picture refused(const QString &name, const QString &reason, ImageFile::ReadError what,
                QString *error, ImageFile::ReadError *kind)
{
    setError(error, QStringLiteral("Cannot read %1: %2").arg(name, reason));
    if (kind)
        *kind = what;
    return Picture();
}

// The picture a decoded grid makes, with what the file says beside it.
Picture taken(QImage grid, Picture::Orientation orientation, const PhotoMetadata &metadata,
              const QString &damage, const QString &name, QString *warning)
{
    if (!damage.isEmpty())
        setError(warning, QStringLiteral("%1: %2").arg(name, damage));
    return Picture(grid, orientation).withMetadata(metadata);
}

// The size ImageResizer::colorMatch fits a stored grid of that orientation to.
QSize fittedOf(QSize grid, Picture::Orientation orientation, QSize box)
{
    return ImageResizer::fittedSize(Picture::isSideways(orientation) ? grid.transposed() : grid,
                                    box);
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

const QByteArray kPngSignature("\x89PNG\r\n\x1a\n", 8);

quint32 bigEndian32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return quint32(u[0]) << 24 | quint32(u[1]) << 16 | quint32(u[2]) << 8 | u[3];
}

// Text chunks are of no use here, and the PNG decoder inflates compressed ones without
// bound (a small file can hold gigabytes of text): they are dropped before decoding. The
// bytes are shared, not copied, when there is none.
QByteArray withoutTextChunks(const QByteArray &png)
{
    if (!png.startsWith(kPngSignature))
        return png;
    const auto isText = [](const char *type) {
        return std::memcmp(type, "tEXt", 4) == 0 || std::memcmp(type, "zTXt", 4) == 0 ||
               std::memcmp(type, "iTXt", 4) == 0;
    };
    QByteArray kept;
    qsizetype copiedTo = 0; // bytes before this are in `kept` or dropped
    qsizetype at = kPngSignature.size();
    qsizetype end = png.size();
    QByteArray ending;
    bool pixelsSeen = false;
    while (at + 12 <= png.size()) {
        const qint64 chunk = 12 + qint64(bigEndian32(png.constData() + at));
        const bool pixels = std::memcmp(png.constData() + at + 4, "IDAT", 4) == 0;
        if (chunk > png.size() - at) {
            // The decoder would reserve all that such a chunk claims (up to 2 GB) before
            // finding the file shorter: the file ends here, complete if its pixels came first.
            end = at;
            if (pixelsSeen && !pixels)
                ending = QByteArray("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
            break;
        }
        pixelsSeen = pixelsSeen || pixels;
        if (isText(png.constData() + at + 4)) {
            if (kept.isEmpty())
                kept.reserve(png.size());
            kept.append(png.constData() + copiedTo, at - copiedTo);
            copiedTo = at + chunk;
        }
        at += chunk;
    }
    if (copiedTo == 0 && end == png.size())
        return png;
    kept.append(png.constData() + copiedTo, end - copiedTo);
    return kept + ending;
}

QByteArray imageFormat(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader::imageFormat(&buffer);
}

// The picture size a file's header claims; invalid when the bytes do not reach it. A PNG's
// is read here: the PNG decoder would read (and inflate) every chunk up to the pixels.
QSize claimedSize(const QByteArray &bytes)
{
    if (bytes.startsWith(kPngSignature)) {
        if (bytes.size() < 24 || bytes.mid(12, 4) != "IHDR")
            return QSize();
        const quint32 width = bigEndian32(bytes.constData() + 16);
        const quint32 height = bigEndian32(bytes.constData() + 20);
        // The format allows 2^31 - 1 at most.
        if (width > 0x7FFFFFFF || height > 0x7FFFFFFF)
            return QSize();
        return QSize(int(width), int(height));
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    return reader.size();
}

// A complete PNG holds its empty IEND chunk (some writers append data after it). Checked
// before decoding because the PNG decoder reports a stream that stops early on stderr,
// outside any error path we can word.
bool pngComplete(const QByteArray &bytes)
{
    return bytes.lastIndexOf(QByteArray("\0\0\0\0IEND", 8)) >= 0;
}

// Where the first scan's header starts, or -1 when the markers before it are damaged.
qsizetype firstScan(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype size = bytes.size();
    qsizetype at = 2; // after the start-of-image marker
    while (at + 4 <= size) {
        if (data[at] != 0xFF)
            return -1;
        const unsigned char marker = data[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xDA)
            return at;
        at += 2 + ((qsizetype(data[at + 2]) << 8) | data[at + 3]);
    }
    return -1;
}

// A JPEG decoder pads a stream that stops early with grey and reports success; a complete
// stream has an end-of-image marker after the first scan's header. Entropy-coded data never
// holds 0xFF 0xD9: 0xFF bytes are stuffed or restarts.
bool jpegComplete(const QByteArray &bytes, qsizetype scan)
{
    if (scan < 0 || scan + 4 > bytes.size())
        return false;
    const qsizetype length = (qsizetype(uchar(bytes[scan + 2])) << 8) | uchar(bytes[scan + 3]);
    return bytes.indexOf(QByteArray("\xFF\xD9", 2), scan + 2 + length) >= 0;
}

// Each scan costs the decoder a pass over the whole picture. After the first scan's header,
// 0xFF 0xDA can only start another scan.
qsizetype scanCount(const QByteArray &bytes, qsizetype scan)
{
    qsizetype count = 0;
    for (qsizetype at = scan; at >= 0 && count <= kMaxJpegScans; ++count)
        at = bytes.indexOf(QByteArray("\xFF\xDA", 2), at + 2);
    return count;
}

Picture decodeNamed(QByteArray bytes, const QString &name, QSize fitBox, QString *error,
                    QString *warning, ImageFile::ReadError *kind)
{
    using ReadError = ImageFile::ReadError;
    const auto fail = [&](const QString &reason, ReadError what = ReadError::Damaged) {
        return refused(name, reason, what, error, kind);
    };
    if (bytes.isEmpty())
        return fail(QStringLiteral("the file is empty"), ReadError::NotAPicture);

    // Read before the text chunks go: a PNG's XMP and older EXIF records live in them.
    QString damage;
    const PhotoMetadata metadata = PhotoMetadata::read(bytes, &damage);
    bytes = withoutTextChunks(bytes);
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
            return fail(QStringLiteral("%1 images are not supported").arg(known),
                        ReadError::NotAPicture);
        return fail(QStringLiteral("not an image, or a format no installed image plugin reads"),
                    ReadError::NotAPicture);
    }
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty())
        return fail(QStringLiteral("the %1 header is damaged or truncated")
                        .arg(QString::fromLatin1(format.toUpper())));

    const bool jpeg = format == "jpeg" || format == "jpg";
    // The PNG reader leaves the orientation of an eXIf chunk to us.
    const Picture::Orientation orientation = format == "png"
                                                 ? orientationOf(metadata.exifOrientation())
                                                 : orientationOf(reader.transformation());
    QSize decoded = stored;
    if (jpeg && fitBox.isValid() && !fitBox.isEmpty()) {
        const QSize fitted = fittedOf(stored, orientation, fitBox);
        for (int denominator : {8, 4, 2}) {
            const QSize reduced(stored.width() / denominator, stored.height() / denominator);
            // Covering the fitted size is not enough: colorMatch must fit the reduced
            // picture to the very size it fits the whole one (a reduction that lands on the
            // box in one side only would not be reduced further).
            if (!reduced.isEmpty() && fittedOf(reduced, orientation, fitBox) == fitted) {
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
                        .arg(ImageFile::kMaxPixels / 1000000),
                    ReadError::TooLarge);
    if (jpeg) {
        const qsizetype scan = firstScan(bytes);
        if (!jpegComplete(bytes, scan))
            return fail(QStringLiteral("the JPEG data is truncated"));
        if (scanCount(bytes, scan) > kMaxJpegScans)
            return fail(QStringLiteral("the JPEG has more than %1 scans, far more than a picture "
                                       "needs")
                            .arg(kMaxJpegScans));
    }
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
    return taken(grid, orientation, metadata, damage, name, warning);
}

// A PNG that only needs to fit a box it exceeds both ways is decoded a row at a time and
// reduced as it goes; `head` is the file's start, `stored` the size its header claims.
bool streamsPng(const QByteArray &head, QSize stored, QSize fitBox)
{
    // The header chunk's last byte: 0 for rows stored in order, 1 for interlaced.
    return head.startsWith(kPngSignature) && head.size() > 28 && head[28] == 0 &&
           fitBox.isValid() && !fitBox.isEmpty() && !stored.isEmpty() &&
           qint64(stored.width()) * stored.height() <= ImageFile::kMaxPixels &&
           ImageResizer::fittedSize(stored, fitBox) != stored;
}

// The file's chunks without the pixel data (IDAT), for the metadata reader, with
// *complete set when they end with IEND inside the file. False on an I/O error.
bool pngChunks(RegularFile &file, QByteArray *chunks, bool *complete)
{
    *chunks = kPngSignature;
    *complete = false;
    qint64 at = kPngSignature.size();
    while (at + 12 <= file.size()) {
        QByteArray header;
        if (!file.seek(at) || !file.read(8, &header) || header.size() < 8)
            return false;
        const qint64 length = bigEndian32(header.constData());
        if (12 + length > file.size() - at)
            return true; // cut short
        const bool end = header.endsWith("IEND");
        if (!header.endsWith("IDAT")) {
            chunks->append(header);
            if (!file.read(length + 4, chunks))
                return false;
        }
        at += 12 + length;
        if (end) {
            *complete = true;
            return true;
        }
    }
    return true;
}

// The PNG's picture reduced to the size colorMatch fits it to, read from the file a block
// at a time; nothing when that size is not a reduction, and the caller reads it whole.
std::optional<Picture> readPngReduced(RegularFile &file, const QString &name, QSize stored,
                                      QSize fitBox, QString *error, QString *warning,
                                      ImageFile::ReadError *kind)
{
    using ReadError = ImageFile::ReadError;
    QByteArray chunks;
    bool complete = false;
    if (!pngChunks(file, &chunks, &complete))
        return refused(name, file.errorString(), ReadError::CannotOpen, error, kind);
    if (!complete)
        return refused(name, QStringLiteral("the PNG data is truncated"), ReadError::Damaged, error,
                       kind);
    QString damage;
    const PhotoMetadata metadata = PhotoMetadata::read(chunks, &damage);
    chunks = QByteArray();
    const Picture::Orientation orientation = orientationOf(metadata.exifOrientation());
    const QSize fitted = fittedOf(stored, orientation, fitBox);
    const QSize reduced = Picture::isSideways(orientation) ? fitted.transposed() : fitted;
    if (fittedOf(reduced, orientation, fitBox) != fitted ||
        !PngBandReader::reduces(stored, reduced))
        return std::nullopt;
    if (!file.seek(0))
        return refused(name, file.errorString(), ReadError::CannotOpen, error, kind);
    PngBandReader reader(
        [&file](qint64 count, QByteArray *into) { return file.read(count, into); });
    const QImage grid = reader.read(reduced);
    if (grid.isNull())
        return refused(
            name,
            QStringLiteral("the image data is damaged or truncated (%1)").arg(reader.errorString()),
            ReadError::Damaged, error, kind);
    return taken(grid, orientation, metadata, damage, name, warning);
}

// Encodes the pixels of `grid` into `device`; false, with *error saying why, on failure.
bool encodeInto(QIODevice *device, const QImage &grid, const QByteArray &format, int quality,
                QString *error)
{
    QImageWriter writer(device, format);
    if (format == "jpeg")
        writer.setQuality(qBound(0, quality, 100));
    if (writer.write(grid))
        return true;
    setError(error, writer.errorString());
    return false;
}

// The file's bytes: the pixels of an upright picture and its metadata. Empty when the pixels
// cannot be encoded (*error says why); metadata that cannot be written is left out.
QByteArray encode(const Picture &upright, const QByteArray &format, int quality, QString *error,
                  QString *warning)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!encodeInto(&buffer, upright.grid(), format, quality, error))
        return QByteArray();
    return upright.metadata().embedIn(bytes, upright.grid().size(), warning);
}

} // namespace

Picture ImageFile::read(const QString &path, QString *error, QSize fitBox, QString *warning,
                        ReadError *kind)
{
    const QString name = QDir::toNativeSeparators(path);
    if (kind)
        *kind = ReadError::None;
    const auto fail = [&](const QString &reason, ReadError what = ReadError::CannotOpen) {
        return refused(name, reason, what, error, kind);
    };
    RegularFile file(path);
    if (!file.open())
        return fail(file.errorString());
    qint64 limit = maxFileBytes(kMaxPixels);
    if (file.size() > limit)
        return fail(QStringLiteral("the file is %1 MB, more than any picture read here could "
                                   "need (%2 MB)")
                        .arg(megabytes(file.size()), megabytes(limit)),
                    ReadError::TooLarge);
    // The header bounds the rest: no more is read than a picture of its size could take.
    QByteArray bytes;
    if (!file.read(qMin(file.size(), kHeadBytes), &bytes))
        return fail(file.errorString());
    const QSize claimed = claimedSize(bytes);
    if (claimed.isEmpty() && file.size() > bytes.size() && imageFormat(bytes).isEmpty())
        return decodeNamed(bytes, name, fitBox, error, warning,
                           kind); // not a picture: says so from the head
    if (!claimed.isEmpty())
        limit = maxFileBytes(qMin(kMaxPixels, qint64(claimed.width()) * claimed.height()));
    if (file.size() > limit)
        return fail(QStringLiteral("the file is %1 MB, more than a %2 x %3 picture could need")
                        .arg(megabytes(file.size()))
                        .arg(claimed.width())
                        .arg(claimed.height()),
                    ReadError::Damaged);
    if (streamsPng(bytes, claimed, fitBox)) {
        if (std::optional<Picture> reduced =
                readPngReduced(file, name, claimed, fitBox, error, warning, kind))
            return *reduced;
        if (!file.seek(bytes.size()))
            return fail(file.errorString());
    }
    // One byte past the limit tells a file that grew since it was opened.
    if (!file.read(qMin(file.size(), limit) + 1 - bytes.size(), &bytes))
        return fail(file.errorString());
    if (bytes.size() > limit)
        return fail(QStringLiteral("the file grew while it was read"));
    return decodeNamed(std::move(bytes), name, fitBox, error, warning, kind);
}

QSize ImageFile::storedSize(const QString &path)
{
    RegularFile file(path);
    QByteArray head;
    if (!file.open() || !file.read(qMin(file.size(), kHeadBytes), &head))
        return QSize();
    return claimedSize(head);
}

Picture ImageFile::decode(const QByteArray &bytes, QString *error)
{
    return decodeNamed(bytes, QStringLiteral("image data"), QSize(), error, nullptr, nullptr);
}

QByteArray ImageFile::encodeJpeg(const Picture &picture, int quality)
{
    if (picture.isNull() || qMax(picture.grid().width(), picture.grid().height()) > kMaxJpegSide)
        return QByteArray();
    return encode(picture.upright(), "jpeg", quality, nullptr, nullptr);
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

    // The encoder fails on a larger JPEG without saying why.
    const QSize size = picture.size().toSize();
    if (format == "jpeg" && qMax(size.width(), size.height()) > kMaxJpegSide)
        return fail(QStringLiteral("the picture is %1 x %2 pixels and a JPEG holds at most %3 "
                                   "in either direction (write a .png instead)")
                        .arg(size.width())
                        .arg(size.height())
                        .arg(kMaxJpegSide));

    AtomicFile file(path);
    if (!file.open())
        return fail(file.errorString());
    const Picture upright = picture.upright();
    QString reason;
    if (upright.metadata().isEmpty()) {
        if (!encodeInto(&file, upright.grid(), format, quality, &reason))
            return fail(file.error() != 0 ? file.errorString() : reason);
    } else {
        // The metadata goes into the encoded file, so that file is made in memory first.
        QString damage;
        const QByteArray bytes = encode(upright, format, quality, &reason, &damage);
        if (bytes.isEmpty())
            return fail(reason);
        if (!damage.isEmpty())
            setError(warning, QStringLiteral("%1: %2").arg(name, damage));
        if (file.write(bytes) != bytes.size())
            return fail(file.errorString());
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

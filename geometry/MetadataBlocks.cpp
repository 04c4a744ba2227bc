#include "MetadataBlocks.h"

#include <QByteArrayView>
#include <QList>
#include <QSet>
#include <QtEndian>

#include <zlib.h>

#include <iterator>
#include <utility>

namespace {

const QByteArray kPngSignature("\x89PNG\r\n\x1a\n", 8);
// No photo's profile or text record comes near this. A compressed block is inflated no
// further here; the library bounds what it inflates itself.
constexpr qsizetype kMaxInflated = qsizetype(16) << 20;

QString claim(const QString &what, qint64 claimed, qint64 left)
{
    return QStringLiteral("%1 claims %2 bytes where only %3 are there")
        .arg(what)
        .arg(claimed)
        .arg(left);
}

QString hex(quint32 value, int digits)
{
    return QStringLiteral("0x%1").arg(value, digits, 16, QLatin1Char('0'));
}

// The bytes of `view` from `from` on; none when it is past the end.
QByteArrayView from(QByteArrayView view, qsizetype at)
{
    return at < view.size() ? view.sliced(at) : QByteArrayView();
}

// What a zlib stream inflates to, stopping past `limit`; empty, with *damaged set, when the
// stream is damaged.
QByteArray inflated(QByteArrayView compressed, qsizetype limit, bool *damaged = nullptr)
{
    z_stream stream{};
    if (damaged)
        *damaged = true;
    if (inflateInit(&stream) != Z_OK)
        return QByteArray();
    QByteArray out;
    char buffer[16384];
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.data()));
    stream.avail_in = uInt(compressed.size());
    int status = Z_OK;
    while (status == Z_OK && out.size() <= limit) {
        stream.next_out = reinterpret_cast<Bytef *>(buffer);
        stream.avail_out = sizeof buffer;
        status = inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, qsizetype(sizeof buffer - stream.avail_out));
    }
    inflateEnd(&stream);
    if (status != Z_OK && status != Z_STREAM_END)
        return QByteArray();
    if (damaged)
        *damaged = false;
    return out;
}

// A TIFF block (the EXIF records): every directory, and every value stored outside its
// entry, lies within the block. The maker notes are each camera's own format, not walked.
QString tiffOverrun(QByteArrayView tiff)
{
    if (tiff.startsWith(QByteArrayView("Exif\0\0", 6)))
        tiff = tiff.sliced(6);
    const bool little = tiff.startsWith(QByteArrayView("II*\0", 4));
    if ((!little && !tiff.startsWith(QByteArrayView("MM\0*", 4))) || tiff.size() < 8)
        return QString(); // not a block of ours to judge: the library refuses it
    const qint64 size = tiff.size();
    const auto u16 = [&](qint64 at) {
        return little ? qFromLittleEndian<quint16>(tiff.data() + at)
                      : qFromBigEndian<quint16>(tiff.data() + at);
    };
    const auto u32 = [&](qint64 at) {
        return little ? qFromLittleEndian<quint32>(tiff.data() + at)
                      : qFromBigEndian<quint32>(tiff.data() + at);
    };
    // Bytes per value of each TIFF type, 1 (BYTE) to 13 (IFD); 0 for types unknown here.
    static constexpr int kTypeSizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4};
    // IFD0, then what it points to: the EXIF and GPS directories and IFD1; the EXIF one
    // points to the interoperability directory. Those tags anywhere else are plain values to
    // the library, written back unchanged: not followed here either.
    enum Kind
    {
        Image0,
        ExifDirectory,
        Other
    };
    QList<std::pair<quint32, Kind>> pending{{u32(4), Image0}};
    QSet<quint32> walked; // a directory that points back at one already walked ends the walk
    // A photo has five at most; beyond a few more, the walk would only cost time.
    constexpr int kMaxDirectories = 16;
    while (!pending.isEmpty() && walked.size() < kMaxDirectories) {
        const auto [directory, kind] = pending.takeFirst();
        if (walked.contains(directory))
            continue;
        walked.insert(directory);
        if (directory > size - 2)
            return QStringLiteral("an EXIF directory is said to start at byte %1 of a %2-byte "
                                  "block")
                .arg(directory)
                .arg(size);
        const int count = u16(directory);
        const qint64 entries = directory + 2;
        if (12 * count > size - entries)
            return claim(QStringLiteral("the EXIF directory at byte %1, with %2 entries,")
                             .arg(directory)
                             .arg(count),
                         12 * count, size - entries);
        for (int n = 0; n < count; ++n) {
            const qint64 entry = entries + 12 * n;
            const quint16 tag = u16(entry), type = u16(entry + 2);
            const quint32 values = u32(entry + 4), value = u32(entry + 8);
            const qint64 bytes =
                type < std::size(kTypeSizes) ? qint64(values) * kTypeSizes[type] : 0;
            if (bytes > 4 && (value > size || bytes > size - value))
                return claim(
                    QStringLiteral("the EXIF entry %1 at byte %2").arg(hex(tag, 4)).arg(value),
                    bytes, qMax<qint64>(0, size - value));
            if (values != 1 || value == 0 || (type != 4 && type != 13))
                continue;
            if (kind == Image0 && (tag == 0x8769 || tag == 0x8825))
                pending.append({value, tag == 0x8769 ? ExifDirectory : Other});
            else if (kind == ExifDirectory && tag == 0xA005)
                pending.append({value, Other});
        }
        if (kind == Image0 && 12 * count + 4 <= size - entries && u32(entries + 12 * count) != 0)
            pending.append({u32(entries + 12 * count), Other});
    }
    return QString();
}

// An ICC profile states its own size in its first four bytes. Fewer bytes are an overrun;
// more would be cut to that size by the library when a written file is read again.
QString profileOverrun(QByteArrayView head, qint64 held)
{
    if (head.size() < 4)
        return QString();
    const quint32 declared = qFromBigEndian<quint32>(head.data());
    if (declared > held)
        return claim(QStringLiteral("the colour profile"), declared, held);
    if (declared < held)
        return QStringLiteral("the colour profile says it is %1 bytes long but holds %2")
            .arg(declared)
            .arg(held);
    return QString();
}

// The records of a Photoshop block, where a JPEG keeps its IPTC data: "8BIM", an id, a
// name padded to an even length, the size of the data and the data, padded to an even size.
QString photoshopOverrun(QByteArrayView block)
{
    const qint64 size = block.size();
    qint64 at = 0;
    while (size - at >= 8 && block.sliced(at, 4) == "8BIM") {
        const qint64 sizeAt = at + 6 + ((uchar(block[at + 6]) + 2) & ~1);
        if (sizeAt + 4 > size)
            return claim(QStringLiteral("the Photoshop record at byte %1").arg(at), sizeAt + 4 - at,
                         size - at);
        const quint32 data = qFromBigEndian<quint32>(block.data() + sizeAt);
        if (data > size - sizeAt - 4)
            return claim(QStringLiteral("the Photoshop record at byte %1").arg(at), data,
                         size - sizeAt - 4);
        at = sizeAt + 4 + data + (data & 1);
    }
    return QString();
}

// PNG writers keep EXIF in a text record named "Raw profile type exif" (or "... APP1"):
// "\n<name>\n<spaces><length>\n" then the bytes in hexadecimal, in lines.
QString textOverrun(QByteArrayView type, QByteArrayView data)
{
    const qsizetype keywordEnd = data.indexOf('\0');
    if (keywordEnd < 0)
        return QString();
    const QByteArrayView keyword = data.first(keywordEnd);
    if (keyword != "Raw profile type exif" && keyword != "Raw profile type APP1")
        return QString();
    QByteArray text;
    if (type == "tEXt") {
        text = from(data, keywordEnd + 1).toByteArray();
    } else if (type == "zTXt") {
        text = inflated(from(data, keywordEnd + 2), kMaxInflated);
    } else {
        // iTXt: compression flag and method, then language and translated keyword.
        const qsizetype translated = data.indexOf('\0', keywordEnd + 3);
        const qsizetype textAt = translated < 0 ? -1 : data.indexOf('\0', translated + 1) + 1;
        if (textAt <= 0)
            return QString();
        text = data[keywordEnd + 1] ? inflated(from(data, textAt), kMaxInflated)
                                    : from(data, textAt).toByteArray();
    }
    if (text.size() > kMaxInflated)
        return QString();
    const qsizetype nameEnd = text.indexOf('\n', 1);
    const qsizetype lengthEnd = nameEnd < 0 ? -1 : text.indexOf('\n', nameEnd + 1);
    bool number = false;
    const qint64 length =
        lengthEnd < 0
            ? 0
            : text.mid(nameEnd + 1, lengthEnd - nameEnd - 1).trimmed().toLongLong(&number);
    if (!number)
        return QString();
    const QByteArray bytes = QByteArray::fromHex(text.mid(lengthEnd + 1));
    if (length > bytes.size())
        return claim(QStringLiteral("the EXIF text record"), length, bytes.size());
    return tiffOverrun(QByteArrayView(bytes).first(length));
}

QString pngOverrun(const QByteArray &png)
{
    const qint64 size = png.size();
    qint64 at = kPngSignature.size();
    while (size - at >= 12) {
        const quint32 length = qFromBigEndian<quint32>(png.constData() + at);
        const QByteArrayView type(png.constData() + at + 4, 4);
        if (length > size - at - 12)
            return claim(QStringLiteral("the PNG chunk '%1' at byte %2")
                             .arg(QString::fromLatin1(type.toByteArray().toPercentEncoding()))
                             .arg(at),
                         length, size - at - 12);
        const QByteArrayView data(png.constData() + at + 8, length);
        QString found;
        if (type == "eXIf") {
            found = tiffOverrun(data);
        } else if (type == "iCCP") {
            // The library keeps what a damaged stream inflates to, as if it were the profile.
            bool damaged = false;
            const qsizetype keywordEnd = data.indexOf('\0');
            const QByteArray profile = inflated(
                from(data, keywordEnd < 0 ? length : keywordEnd + 2), kMaxInflated, &damaged);
            if (damaged)
                found = QStringLiteral("the colour profile's compressed data is damaged");
            else if (profile.size() <= kMaxInflated)
                found = profileOverrun(profile, profile.size());
        } else if (type == "tEXt" || type == "zTXt" || type == "iTXt") {
            found = textOverrun(type, data);
        } else if (type == "IEND") {
            break;
        }
        if (!found.isEmpty())
            return found;
        at += 12 + length;
    }
    return QString();
}

// The segments before the first scan; the pixels after it are the decoder's.
QString jpegOverrun(const QByteArray &jpeg)
{
    const qint64 size = jpeg.size();
    QByteArray profileHead;
    qint64 profileHeld = 0;
    qint64 at = 2;
    while (size - at >= 4) {
        if (uchar(jpeg[at]) != 0xFF) { // stray bytes: the library looks for the next marker
            at = jpeg.indexOf('\xFF', at);
            if (at < 0)
                break;
            continue;
        }
        const uchar marker = uchar(jpeg[at + 1]);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9)
            break;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // no length
            at += 2;
            continue;
        }
        const qint64 length = qFromBigEndian<quint16>(jpeg.constData() + at + 2);
        if (length < 2)
            break; // damaged, not oversized: the decoder says so
        if (length - 2 > size - at - 4)
            return claim(QStringLiteral("the JPEG segment %1 at byte %2")
                             .arg(hex(0xFF00 | marker, 4))
                             .arg(at),
                         length - 2, size - at - 4);
        const QByteArrayView body(jpeg.constData() + at + 4, length - 2);
        QString found;
        if (marker == 0xE1 && body.startsWith(QByteArrayView("Exif\0\0", 6))) {
            found = tiffOverrun(body);
        } else if (marker == 0xE2 && body.size() >= 14 && body.startsWith("ICC_PROFILE")) {
            // A profile comes in pieces (the library knows them by these 11 letters, whatever
            // follows), joined in the order they come, whatever their numbers say: the first
            // bytes are its header.
            if (profileHead.size() < 4)
                profileHead += body.sliced(14).first(qMin<qsizetype>(4, body.size() - 14));
            profileHeld += body.size() - 14;
        } else if (marker == 0xED && body.startsWith(QByteArrayView("Photoshop 3.0\0", 14))) {
            found = photoshopOverrun(body.sliced(14));
        }
        if (!found.isEmpty())
            return found;
        at += 2 + length;
    }
    return profileOverrun(profileHead, profileHeld);
}

} // namespace

QString MetadataBlocks::overrun(const QByteArray &fileBytes)
{
    if (fileBytes.startsWith(kPngSignature))
        return pngOverrun(fileBytes);
    if (fileBytes.startsWith("\xFF\xD8"))
        return jpegOverrun(fileBytes);
    return QString();
}

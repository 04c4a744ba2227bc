#ifndef VELMORA_GEOMETRY_IMAGEFILE_H
#define VELMORA_GEOMETRY_IMAGEFILE_H

#include <QByteArray>
#include <QSize>
#include <QString>

#include "Picture.h"

// Image files in and out.
//
// Reading: every format the installed Qt image plugins read, from regular files only and
// never more bytes than a picture of the size the header claims could take. The pixels stay as
// stored and the file's EXIF orientation becomes the picture's tag; the file's metadata and
// colour profile come with the picture (damaged metadata is left out, with *warning saying
// so). Sizes are checked from the header before decoding, so a file that claims an enormous
// picture is refused without allocating it. On failure the picture is null and *error names
// the file and the reason.
//
// Writing: the picture is written upright (its orientation applied to the pixels, no
// orientation tag in the file), so the file looks like what the user saw, with the
// picture's metadata and colour profile (orientation set to top-left, no old thumbnail).
// Metadata that cannot be written is left out, with *warning saying so.
class ImageFile
{
public:
    ImageFile() = delete;

    // Largest decoded picture accepted, in pixels (4 bytes each in memory).
    static constexpr qint64 kMaxPixels = qint64(1) << 27;
    // Longest side the JPEG format holds.
    static constexpr int kMaxJpegSide = 65500;

    // What kind of failure a read met, for callers that word it their own way.
    enum class ReadError
    {
        None,
        CannotOpen,  // missing, not a regular file, no permission, an I/O error
        NotAPicture, // empty, or no format the intake reads
        Damaged,     // a picture format, but its data is broken or cut short
        TooLarge     // more pixels (or bytes) than the intake takes
    };

    // With a valid fitBox, a large JPEG is decoded at 1/2, 1/4 or 1/8 scale when
    // ImageResizer::colorMatch fits the result into that box at the size it fits the whole,
    // and a PNG (not interlaced) that exceeds the box both ways is decoded a row at a time and
    // reduced to the very size colorMatch fits it to, by area averaging, without ever holding
    // the whole picture or file.
    static Picture read(const QString &path, QString *error, QSize fitBox = QSize(),
                        QString *warning = nullptr, ReadError *kind = nullptr);
    static Picture decode(const QByteArray &bytes, QString *error);
    // The stored picture size the file's header claims, read without decoding; invalid when
    // the file is no picture or its header does not say.
    static QSize storedSize(const QString &path);
    // Empty for a null picture. Quality 0..100.
    static QByteArray encodeJpeg(const Picture &picture, int quality = 90);
    // The format write() uses for a path: "jpeg", "png", or empty when it cannot write it.
    static QByteArray writeFormat(const QString &path);
    // The format follows the suffix: .jpg, .jpeg or .png. The file is replaced atomically:
    // on failure an existing file keeps its old content. Only a regular file (or a link to
    // one) is replaced; anything else under the name is refused.
    static bool write(const Picture &picture, const QString &path, QString *error, int quality = 90,
                      QString *warning = nullptr);
};

#endif

#ifndef VELMORA_GEOMETRY_IMAGEFILE_H
#define VELMORA_GEOMETRY_IMAGEFILE_H

#include <QByteArray>
#include <QSize>
#include <QString>

#include "Picture.h"

// Image files in and out.
//
// Reading: every format the installed Qt image plugins read. The pixels stay as stored and
// the file's EXIF orientation becomes the picture's tag; the file's metadata and colour
// profile come with the picture (damaged metadata is left out, with *warning saying so). Sizes are
// checked from the header before decoding, so a file that claims an enormous picture is refused
// without allocating it. On failure the picture is null and *error names the file and the reason.
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

    // With a valid fitBox, a large JPEG is decoded at 1/2, 1/4 or 1/8 scale when
    // ImageResizer::colorMatch fits the result into that box at the size it fits the whole.
    static Picture read(const QString &path, QString *error, QSize fitBox = QSize(),
                        QString *warning = nullptr);
    static Picture decode(const QByteArray &bytes, QString *error);
    // Empty for a null picture. Quality 0..100.
    static QByteArray encodeJpeg(const Picture &picture, int quality = 90);
    // The format follows the suffix: .jpg, .jpeg or .png. The file is replaced atomically:
    // on failure an existing file keeps its old content.
    // The format write() uses for a path: "jpeg", "png", or empty when it cannot write it.
    static QByteArray writeFormat(const QString &path);
    static bool write(const Picture &picture, const QString &path, QString *error, int quality = 90,
                      QString *warning = nullptr);
};

#endif

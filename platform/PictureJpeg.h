#ifndef VELMORA_PLATFORM_PICTUREJPEG_H
#define VELMORA_PLATFORM_PICTUREJPEG_H

#include "Picture.h"

#include <QByteArray>
#include <QString>

// JPEG bytes in and out for the settings store and the album, until the image-file
// intake takes this over. Encoding writes the picture upright (its orientation applied),
// so the bytes decode to an upright picture without any orientation tag.
class PictureJpeg
{
public:
    PictureJpeg() = delete;

    // Quality 0-100. Returns empty bytes (and says why in `error`) when encoding fails.
    static QByteArray encode(const Picture &picture, int quality = 90, QString *error = nullptr);
    // A null picture when the bytes are not a readable image.
    static Picture decode(const QByteArray &bytes);

    // The grid turned and mirrored so that it stands upright.
    static QImage upright(const Picture &picture);
};

#endif

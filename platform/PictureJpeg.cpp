#include "PictureJpeg.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QTransform>

QImage PictureJpeg::upright(const Picture &picture)
{
    const QImage &grid = picture.grid();
    const QTransform clockwise = QTransform().rotate(90);
    const QTransform counterClockwise = QTransform().rotate(-90);
    switch (picture.orientation()) {
    case Picture::Up:
        return grid;
    case Picture::Down:
        return grid.mirrored(true, true);
    case Picture::Left:
        return grid.transformed(counterClockwise);
    case Picture::Right:
        return grid.transformed(clockwise);
    case Picture::UpMirrored:
        return grid.mirrored(true, false);
    case Picture::DownMirrored:
        return grid.mirrored(false, true);
    case Picture::LeftMirrored:
        // Transposed: flip top to bottom, then a quarter turn clockwise.
        return grid.mirrored(false, true).transformed(clockwise);
    case Picture::RightMirrored:
        return grid.mirrored(true, false).transformed(clockwise);
    }
    return grid;
}

QByteArray PictureJpeg::encode(const Picture &picture, int quality, QString *error)
{
    QByteArray bytes;
    if (picture.isNull()) {
        if (error)
            *error = QStringLiteral("There is no picture to encode.");
        return bytes;
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    if (!writer.write(upright(picture))) {
        if (error)
            *error = writer.errorString();
        return {};
    }
    return bytes;
}

Picture PictureJpeg::decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    return image.isNull() ? Picture() : Picture(image);
}

#ifndef VELMORA_TESTS_TESTIMAGES_H
#define VELMORA_TESTS_TESTIMAGES_H

// Qt-side test pictures and image files, shared by the suites above the engine.

#include <algorithm>
#include <random>

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>

namespace TestImages {

inline QImage solid(int w, int h, QColor color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Every pixel different: red = 10 x, green = 10 y, blue = 7 (x + y) (sides up to 25).
inline QImage labelled(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(10 * x, 10 * y, 7 * (x + y)));
    return image;
}

// Red, green, blue and white quadrants (top-left, top-right, bottom-left, bottom-right):
// survives JPEG and resampling.
inline QImage quadrants(int w, int h)
{
    QImage image = solid(w, h, Qt::white);
    QPainter painter(&image);
    painter.fillRect(0, 0, w / 2, h / 2, Qt::red);
    painter.fillRect(w / 2, 0, w - w / 2, h / 2, Qt::green);
    painter.fillRect(0, h / 2, w / 2, h - h / 2, Qt::blue);
    return image;
}

inline QImage random(int w, int h, unsigned seed)
{
    QImage image(w, h, QImage::Format_RGB32); // rows of 4 w bytes: no padding
    std::mt19937 generator(seed);
    std::generate_n(reinterpret_cast<quint32 *>(image.bits()), w * h,
                    [&] { return quint32(generator()) | 0xFF000000u; });
    return image;
}

inline QByteArray encoded(const QImage &image, const char *format, int quality = 95)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, format, quality);
    return bytes;
}

} // namespace TestImages

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

#endif

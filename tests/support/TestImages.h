#ifndef VELMORA_TESTS_TESTIMAGES_H
#define VELMORA_TESTS_TESTIMAGES_H

// Qt-side test pictures and image files, shared by the suites above the engine.

#include <cstdint>
#include <random>

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#ifdef QT_WIDGETS_LIB
#include <QApplication>
#endif

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

inline QImage checkerboard(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    return image;
}

inline QImage random(int w, int h, unsigned seed)
{
    QImage image(w, h, QImage::Format_RGB32);
    std::mt19937 generator(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, generator() | 0xFF000000u);
    return image;
}

inline QByteArray encoded(const QImage &image, const char *format, int quality = 95)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.write(image);
    return bytes;
}

// A JPEG with an EXIF block that holds only the orientation (1..8), written by hand:
// APP1 "Exif\0\0", little-endian TIFF header, one IFD with tag 0x0112.
inline QByteArray jpegWithOrientation(const QImage &image, int orientation)
{
    const QByteArray jpeg = encoded(image, "jpeg");
    // clang-format off
    const unsigned char app1[] = {
        0xFF, 0xE1, 0, 34,                                // marker, length
        'E', 'x', 'i', 'f', 0, 0,                         // identifier
        'I', 'I', 0x2A, 0, 8, 0, 0, 0,                    // TIFF header
        1, 0,                                             // one entry
        0x12, 0x01, 3, 0, 1, 0, 0, 0,                     // orientation, SHORT, 1
        static_cast<unsigned char>(orientation), 0, 0, 0, // value
        0, 0, 0, 0,                                       // no next IFD
    };
    // clang-format on
    return jpeg.left(2) + QByteArray(reinterpret_cast<const char *>(app1), sizeof app1) +
           jpeg.mid(2);
}

// One application object for the whole test program (fonts and text need it); suites that
// link widgets get a QApplication.
inline void ensureGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "velmora-tests";
    static char *argv[] = {name, nullptr};
    // Never destroyed: torn down among the exit handlers, after Qt's own statics, it crashes
    // once a test has sent a mouse event.
#ifdef QT_WIDGETS_LIB
    static QApplication *const application = new QApplication(argc, argv);
#else
    static QGuiApplication *const application = new QGuiApplication(argc, argv);
#endif
    Q_UNUSED(application);
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

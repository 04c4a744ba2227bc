#ifndef VELMORA_GEOMETRY_IMAGEUTILS_H
#define VELMORA_GEOMETRY_IMAGEUTILS_H

#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include "Picture.h"
#include "Renderable.h"

// Drawing helpers on a top-down canvas; pictures are always drawn upright. Canvas sizes
// are rounded to whole pixels. Text needs a QGuiApplication.
class ImageUtils
{
public:
    ImageUtils() = delete;

    static Picture screenshot(const Renderable &view);
    // The picture stretched over the whole size.
    static Picture drawImage(const Picture &image, QSizeF toSize);
    // The picture drawn into the rectangle on black.
    static Picture drawImage(const Picture &image, QSizeF toSize, const QRectF &at);
    // Centred: fitted on black bands (letterbox) or covering the size, cut equally on both
    // sides (no letterbox).
    static Picture drawImage(const Picture &image, QSizeF toSize, bool withLetterbox);
    // The rectangle drawImage(image, toSize, withLetterbox) draws into.
    static QRectF letterboxRect(QSizeF imageSize, QSizeF toSize, bool withLetterbox);
    // A shadowed one-line caption, centred, its face 10 pixels above the bottom edge.
    static Picture drawText(const QString &text, const QFont &withFont, const Picture &onto);
};

#endif

#ifndef VELMORA_GEOMETRY_IMAGERESIZER_H
#define VELMORA_GEOMETRY_IMAGERESIZER_H

#include <QColor>
#include <QPointF>
#include <QSize>
#include <QSizeF>

#include "Picture.h"

// Picture geometry: fit, turn upright, crop, frame, cut windows, letterbox. Every
// operation returns a new upright picture in the engine's layout, or a null picture when
// the result would be empty; the input is never changed.
class ImageResizer
{
public:
    ImageResizer() = delete;

    // Upright, reduced to fit the box (turned to the picture's shape) when the picture
    // exceeds it both ways; sides a multiple of 4 after a reduction. A zero box only
    // turns the picture upright.
    static Picture colorMatch(const Picture &image, QSizeF toSize);
    // The output size of colorMatch for a picture of that upright size.
    static QSize fittedSize(QSizeF size, QSizeF box);

    // Centre crop to the width-to-height ratio, turned to the picture's shape.
    static Picture resizeImage(const Picture &image, float aspectRatio);

    // A border of width fraction x picture width on all four sides; the grid is drawn
    // as stored.
    static Picture addBorder(const Picture &image, float width, const QColor &withColor);

    // Exactly width x height: stretched, or with keepAspectRatio fitted on black bands.
    // The letterbox flag has no effect. Null for any zero dimension.
    static Picture resizeImage(const Picture &image, unsigned width, unsigned height,
                               bool keepAspectRatio, bool letterbox);

    // width x height showing a window of twice that size around the point (top-down
    // grid coordinates), or the largest centred window of the target's shape when the
    // grid is too small.
    static Picture clipImage(const Picture &image, QPointF at, unsigned width, unsigned height);
    // The same at full scale; the fallback window lies flush with the far edge.
    static Picture fullClip(const Picture &image, QPointF at, unsigned width, unsigned height);

    // The grid drawn at the canvas size, turned clockwise by rotate radians about its
    // centre, centred at the point (bottom-up), and the whole scaled about the origin.
    static Picture drawImage(const Picture &image, QSizeF to, QPointF centeredAt, float scale,
                             float rotate);
};

#endif

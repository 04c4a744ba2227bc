#ifndef VELMORA_GEOMETRY_CANVAS_H
#define VELMORA_GEOMETRY_CANVAS_H

#include <memory>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QTransform>

#include "Picture.h"

// A fresh black canvas in the engine's pixel layout whose content becomes a picture.
//
// BottomUp: origin at the bottom-left corner, y upward, positive angles counter-clockwise;
// a grid is drawn as stored, its top row at the top of the rectangle.
// TopDown: origin at the top-left corner, y downward.
// In both, the transform set last acts first on drawn points.
//
// Reductions are filtered (area averaging) before drawing, and turns by quarter turns and
// mirrorings move pixels exactly, so a picture drawn at its own size is copied unchanged.
class Canvas
{
public:
    enum Origin
    {
        BottomUp,
        TopDown
    };

    // A zero or negative size, or one too large to allocate, gives a null canvas on which
    // every operation does nothing.
    Canvas(int width, int height, Origin origin = BottomUp);
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    bool isNull() const { return m_image.isNull(); }
    QSize size() const { return m_image.size(); }

    void translate(qreal dx, qreal dy);
    void rotate(qreal degrees);
    void scale(qreal sx, qreal sy);
    QTransform transform() const { return m_transform; }

    // The grid as stored, scaled to fill the rectangle.
    void drawGrid(const QImage &grid, const QRectF &rect);
    // The picture upright, honouring its orientation, scaled to fill the rectangle.
    void drawPicture(const Picture &picture, const QRectF &rect);
    void fillRect(const QRectF &rect, const QColor &color);
    void fillPath(const QPainterPath &path, const QColor &color);

    // A painter in the canvas's coordinates with the current transform, for text and
    // other drawing; valid until the next canvas call.
    QPainter *painter();

    // The content so far as an upright picture; null for a null canvas.
    Picture picture();

private:
    QTransform deviceTransform() const;
    void drawMapped(const QImage &grid, const QTransform &toDevice);

    QImage m_image;
    Origin m_origin;
    QTransform m_transform;
    std::unique_ptr<QPainter> m_painter;
};

#endif

#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace {

// Turns given in single precision leave terms of about 1e-7 where a quarter turn has none.
constexpr qreal kEpsilon = 1e-6;

bool isZero(qreal value)
{
    return std::abs(value) < kEpsilon;
}

qreal snapped(qreal value)
{
    const qreal whole = std::round(value);
    return std::abs(value - whole) < kEpsilon ? whole : value;
}

// The grid's own pixel square (0, 0, w, h) mapped onto rect, with the grid's top row at
// the rectangle's top: at y = rect.top() top-down, at y = rect.bottom() bottom-up.
QTransform rectMap(QSizeF source, const QRectF &rect, bool bottomUp)
{
    const qreal sx = rect.width() / source.width();
    const qreal sy = rect.height() / source.height();
    if (bottomUp)
        return QTransform(sx, 0, 0, -sy, rect.x(), rect.y() + rect.height());
    return QTransform(sx, 0, 0, sy, rect.x(), rect.y());
}

int roundedSide(qreal length)
{
    return std::max(1, static_cast<int>(std::lround(length)));
}

} // namespace

Canvas::Canvas(int width, int height, Origin origin) : m_origin(origin)
{
    if (width <= 0 || height <= 0)
        return;
    m_image = QImage(width, height, QImage::Format_RGB32);
    if (!m_image.isNull())
        m_image.fill(QColor(Qt::black));
}

Canvas::~Canvas() = default;

void Canvas::translate(qreal dx, qreal dy)
{
    m_transform = QTransform::fromTranslate(dx, dy) * m_transform;
}

void Canvas::rotate(qreal degrees)
{
    m_transform = QTransform().rotate(degrees) * m_transform;
}

void Canvas::scale(qreal sx, qreal sy)
{
    m_transform = QTransform::fromScale(sx, sy) * m_transform;
}

QTransform Canvas::deviceTransform() const
{
    if (m_origin == TopDown)
        return m_transform;
    return m_transform * QTransform(1, 0, 0, -1, 0, m_image.height());
}

QPainter *Canvas::painter()
{
    if (isNull())
        return nullptr;
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(&m_image);
        m_painter->setRenderHint(QPainter::SmoothPixmapTransform);
    }
    m_painter->setWorldTransform(deviceTransform());
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    return m_painter.get();
}

void Canvas::drawGrid(const QImage &grid, const QRectF &rect)
{
    if (isNull() || grid.isNull() || rect.isEmpty())
        return;
    drawMapped(grid, rectMap(grid.size(), rect, m_origin == BottomUp) * deviceTransform());
}

void Canvas::drawPicture(const Picture &picture, const QRectF &rect)
{
    if (isNull() || picture.isNull() || rect.isEmpty())
        return;
    const QTransform toRect = rectMap(picture.size(), rect, m_origin == BottomUp);
    drawMapped(picture.grid(), picture.uprightTransform() * toRect * deviceTransform());
}

void Canvas::drawMapped(const QImage &grid, const QTransform &toDevice)
{
    QPainter *p = painter();
    QImage source = grid;
    const bool straight = isZero(toDevice.m12()) && isZero(toDevice.m21());
    const bool across = isZero(toDevice.m11()) && isZero(toDevice.m22());
    if (straight || across) {
        // Axis-aligned: move the pixels exactly into the device's directions, so that only
        // a plain scale and shift remain for the painter.
        if (across) {
            // Transpose: a clockwise quarter turn, then a left-right mirror.
            source = source.transformed(QTransform().rotate(90))
                         .mirrored(toDevice.m21() > 0, toDevice.m12() < 0);
        } else if (toDevice.m11() < 0 || toDevice.m22() < 0) {
            source = source.mirrored(toDevice.m11() < 0, toDevice.m22() < 0);
        }
        const QRectF mapped = toDevice.mapRect(QRectF(QPointF(0, 0), QSizeF(grid.size())));
        const QRectF target(QPointF(snapped(mapped.left()), snapped(mapped.top())),
                            QPointF(snapped(mapped.right()), snapped(mapped.bottom())));
        if (target.width() < source.width() || target.height() < source.height())
            source = source.scaled(roundedSide(target.width()), roundedSide(target.height()),
                                   Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        p->setWorldTransform(QTransform());
        p->drawImage(target, source);
        return;
    }
    // Any other turn: reduce first where the drawing shrinks the grid, then let the
    // painter resample the rest.
    const qreal sx = std::hypot(toDevice.m11(), toDevice.m12());
    const qreal sy = std::hypot(toDevice.m21(), toDevice.m22());
    QTransform map = toDevice;
    if (sx < 1 || sy < 1) {
        const int w = roundedSide(source.width() * std::min<qreal>(sx, 1));
        const int h = roundedSide(source.height() * std::min<qreal>(sy, 1));
        map = QTransform::fromScale(qreal(source.width()) / w, qreal(source.height()) / h) * map;
        source = source.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setWorldTransform(map);
    p->drawImage(QPointF(0, 0), source);
}

void Canvas::fillRect(const QRectF &rect, const QColor &color)
{
    if (QPainter *p = painter())
        p->fillRect(rect, color);
}

void Canvas::fillPath(const QPainterPath &path, const QColor &color)
{
    if (QPainter *p = painter()) {
        p->setRenderHint(QPainter::Antialiasing, true);
        p->fillPath(path, color);
    }
}

Picture Canvas::picture()
{
    if (isNull())
        return Picture();
    m_painter.reset();
    return Picture(m_image);
}

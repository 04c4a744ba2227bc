#include "ImageView.h"

#include "View.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Where the upright picture of `size` goes in `bounds`, `ratio` device pixels to a point.
QRectF placed(ImageView::ContentMode mode, QSizeF size, const QRectF &bounds, qreal ratio)
{
    QSizeF shown = size;
    switch (mode) {
    case ImageView::ContentMode::ScaleDownToFit: {
        // Worked in device pixels and kept on them, so that nothing falls between two.
        const qreal s = std::min(
            {1.0, bounds.width() * ratio / size.width(), bounds.height() * ratio / size.height()});
        const QSizeF device(std::round(size.width() * s), std::round(size.height() * s));
        const QPointF origin(std::floor((bounds.width() * ratio - device.width()) / 2),
                             std::floor((bounds.height() * ratio - device.height()) / 2));
        return QRectF(origin / ratio, device / ratio).translated(bounds.topLeft());
    }
    case ImageView::ContentMode::ScaleToFill:
        return bounds;
    case ImageView::ContentMode::ScaleAspectFit:
    case ImageView::ContentMode::ScaleAspectFill: {
        const qreal sx = bounds.width() / size.width(), sy = bounds.height() / size.height();
        const qreal s =
            mode == ImageView::ContentMode::ScaleAspectFit ? std::min(sx, sy) : std::max(sx, sy);
        shown = size * s;
        break;
    }
    case ImageView::ContentMode::Center:
        break;
    }
    QRectF rect(QPointF(), shown);
    rect.moveCenter(bounds.center());
    return rect;
}

} // namespace

ImageView::ImageView(QWidget *parent) : QWidget(parent)
{
    View::setUserInteractionEnabled(this, false);
}

ImageView::ImageView(const Picture &image, QWidget *parent) : ImageView(parent)
{
    m_image = image;
    if (!image.isNull())
        resize(image.size().toSize());
}

void ImageView::setImage(const Picture &image)
{
    m_image = image;
    update();
}

void ImageView::setContentMode(ContentMode mode)
{
    if (mode == m_contentMode)
        return;
    m_contentMode = mode;
    update();
}

void ImageView::paintEvent(QPaintEvent *)
{
    if (m_image.isNull() || width() <= 0 || height() <= 0)
        return;
    const QSizeF size = m_image.size();
    const qreal ratio = devicePixelRatioF();
    const QRectF target = placed(m_contentMode, size, QRectF(rect()), ratio);
    QPainter painter(this);
    // Pixel for pixel the grid is copied; smoothing would only blur it.
    const bool exact = target.size() * ratio == size;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !exact);
    // Grid to upright picture, then upright picture to its place in the view.
    const QTransform toTarget =
        m_image.uprightTransform() *
        QTransform::fromScale(target.width() / size.width(), target.height() / size.height()) *
        QTransform::fromTranslate(target.x(), target.y());
    painter.setTransform(toTarget, true);
    painter.drawImage(QPointF(0, 0), m_image.grid());
}

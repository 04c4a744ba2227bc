#include "ZoomImageView.h"

#include "DisplayCache.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// A step lands on one to one when it would pass it, so stepping always reaches it.
qreal stepped(qreal zoom, qreal factor)
{
    const qreal to = zoom * factor;
    if ((zoom < 1 && to > 1) || (zoom > 1 && to < 1))
        return 1;
    return to;
}

// The centre's place along one axis: the picture's middle when it fits across the view,
// otherwise far enough in that no edge comes inside the view.
qreal keptInside(qreal centre, qreal halfView, qreal length)
{
    if (length <= 2 * halfView)
        return length / 2;
    return std::clamp(centre, halfView, length - halfView);
}

QPointF middleOf(const Picture &picture)
{
    return QPointF(picture.size().width() / 2, picture.size().height() / 2);
}

} // namespace

ZoomImageView::ZoomImageView(QWidget *parent) : ImageView(parent) {}

void ZoomImageView::setDisplayCache(DisplayCache *cache)
{
    if (m_cache)
        disconnect(m_cache, nullptr, this, nullptr);
    m_cache = cache;
    if (cache != nullptr)
        connect(cache, &DisplayCache::workingChanged, this, &ZoomImageView::workingChanged);
    workingChanged();
}

// Another picture of the same size keeps the zoom and the place (an apply, an undo); one of
// another size starts fitted.
void ZoomImageView::workingChanged()
{
    const Picture next = m_cache ? m_cache->workingImage().upright() : Picture();
    if (next.size() != m_working.size()) {
        m_zoom = 0;
        m_centre = middleOf(next);
    }
    m_working = next;
    settle();
    update();
}

const Picture &ZoomImageView::shown() const
{
    return m_standIn.isNull() ? m_working : m_standIn;
}

QSizeF ZoomImageView::deviceSize() const
{
    return QSizeF(size()) * devicePixelRatioF();
}

// As the display picture is fitted: never past one picture pixel per device pixel.
qreal ZoomImageView::fitZoom() const
{
    const QSizeF picture = shown().size();
    const QSizeF box = deviceSize();
    if (picture.isEmpty() || box.isEmpty())
        return 1;
    return std::min({1.0, box.width() / picture.width(), box.height() / picture.height()});
}

qreal ZoomImageView::zoom() const
{
    return m_zoom > 0 ? m_zoom : fitZoom();
}

// How far `point` lies from the view's centre, in device pixels.
QPointF ZoomImageView::fromCentre(QPointF point) const
{
    const QSizeF box = deviceSize();
    return point * devicePixelRatioF() - QPointF(box.width(), box.height()) / 2;
}

QPointF ZoomImageView::pictureAt(QPointF point) const
{
    return (isFitted() ? middleOf(shown()) : m_centre) + fromCentre(point) / zoom();
}

// Fits a zoom that is not above the fit, and brings the centre to where the picture covers
// the view.
void ZoomImageView::settle()
{
    if (shown().isNull() || m_zoom <= fitZoom() * (1 + 1e-9))
        m_zoom = 0;
    const QSizeF picture = shown().size();
    const QSizeF half = deviceSize() / (2 * zoom());
    m_centre = QPointF(keptInside(m_centre.x(), half.width(), picture.width()),
                       keptInside(m_centre.y(), half.height(), picture.height()));
    if (isFitted())
        unsetCursor();
    else
        setCursor(Qt::OpenHandCursor);
}

void ZoomImageView::zoomTo(qreal zoom, QPointF point)
{
    if (shown().isNull())
        return;
    const QPointF fixed = pictureAt(point);
    m_zoom = std::min(zoom, kMaxZoom);
    m_centre = fixed - fromCentre(point) / std::max(m_zoom, fitZoom());
    settle();
    update();
}

void ZoomImageView::zoomIn()
{
    zoomTo(stepped(zoom(), kZoomStep), QRectF(rect()).center());
}

void ZoomImageView::zoomOut()
{
    zoomTo(stepped(zoom(), 1 / kZoomStep), QRectF(rect()).center());
}

void ZoomImageView::zoomToActualPixels()
{
    zoomTo(1, QRectF(rect()).center());
}

void ZoomImageView::fit()
{
    zoomTo(0, QRectF(rect()).center());
}

// A stand-in of another size (the photo before a crop) is shown about the same place.
void ZoomImageView::setStandIn(const Picture &picture, const QString &badge)
{
    const Picture from = shown();
    m_standIn = picture.upright();
    m_badge = badge;
    const QSizeF to = shown().size();
    if (!from.isNull() && from.size() != to)
        m_centre = QPointF(m_centre.x() * to.width() / from.size().width(),
                           m_centre.y() * to.height() / from.size().height());
    settle();
    update();
}

void ZoomImageView::paintEvent(QPaintEvent *event)
{
    if (isFitted() && m_standIn.isNull()) {
        ImageView::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QRectF drawn = paintRegion(painter);
    if (!m_standIn.isNull() && !drawn.isEmpty())
        paintBadge(painter, drawn);
}

// Only the part in view is made. Reduced, the cache makes it at device pixels; enlarged, it is
// drawn from the picture's own pixels, each a block of device pixels, with no enlarged copy
// made. Returns where it went in the view.
QRectF ZoomImageView::paintRegion(QPainter &painter)
{
    const Picture &picture = shown();
    if (picture.isNull() || !m_cache)
        return {};
    const qreal z = zoom(), ratio = devicePixelRatioF();
    const QSizeF box = deviceSize();
    const QPointF centre = isFitted() ? middleOf(picture) : m_centre;
    const QPointF halfBox(box.width() / 2, box.height() / 2);
    const QRectF visible =
        QRectF(centre - halfBox / z, box / z) & QRectF(QPointF(), picture.size());
    const QRect source = visible.toAlignedRect() & picture.grid().rect();
    if (source.isEmpty())
        return {};
    const bool enlarged = z > 1;
    const QSize made = enlarged ? source.size()
                                : QSize(int(std::lround(source.width() * z)),
                                        int(std::lround(source.height() * z)));
    const qint64 key = picture.grid().cacheKey();
    if (key != m_regionKey || source != m_regionSource || m_region.grid().size() != made) {
        m_region = m_cache->region(picture, source, made);
        m_regionKey = key;
        m_regionSource = source;
    }
    // Fitted, placed as the display picture is, so that a stand-in lies exactly over it.
    const QPointF origin = isFitted()
                               ? QPointF(std::floor((box.width() - made.width()) / 2),
                                         std::floor((box.height() - made.height()) / 2))
                               : (QPointF(source.topLeft()) - centre) * z + halfBox;
    const QPointF at(std::round(origin.x()), std::round(origin.y()));
    painter.save();
    painter.scale(1 / ratio, 1 / ratio);
    painter.translate(at);
    if (enlarged)
        painter.scale(z, z);
    painter.drawImage(QPointF(0, 0), m_region.grid());
    painter.restore();
    const QSizeF drawn = enlarged ? QSizeF(source.size()) * z : QSizeF(made);
    return QRectF(at / ratio, drawn / ratio) & QRectF(rect());
}

// In the picture's top left corner.
void ZoomImageView::paintBadge(QPainter &painter, const QRectF &picture)
{
    if (m_badge.isEmpty())
        return;
    QFont font = painter.font();
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    const QRect text = QFontMetrics(font).boundingRect(m_badge);
    const QRectF badge(picture.topLeft() + QPointF(8, 8),
                       QSizeF(text.width() + 16, text.height() + 8));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 150));
    painter.drawRoundedRect(badge, badge.height() / 2, badge.height() / 2);
    painter.setPen(Qt::white);
    painter.drawText(badge, Qt::AlignCenter, m_badge);
}

void ZoomImageView::resizeEvent(QResizeEvent *event)
{
    ImageView::resizeEvent(event);
    settle(); // the picture point at the centre stays there
}

void ZoomImageView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier) || shown().isNull()) {
        ImageView::wheelEvent(event);
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta != 0)
        zoomTo(stepped(zoom(), std::pow(kZoomStep, delta / 120.0)), event->position());
    event->accept();
}

// A press is passed on: it may still be a tap. Only a drag past the tap distance pans.
void ZoomImageView::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    m_panning = false;
    m_pressedAt = event->position();
    m_centreAtPress = m_centre;
    ImageView::mousePressEvent(event);
}

void ZoomImageView::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF moved = event->position() - m_pressedAt;
    if (m_pressed && !isFitted() &&
        (m_panning || moved.manhattanLength() >= QGuiApplication::styleHints()->startDragDistance())) {
        m_panning = true;
        m_centre = m_centreAtPress - moved * devicePixelRatioF() / zoom();
        settle();
        update();
        event->accept();
        return;
    }
    ImageView::mouseMoveEvent(event);
}

void ZoomImageView::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressed = false;
    if (std::exchange(m_panning, false)) {
        event->accept();
        return;
    }
    ImageView::mouseReleaseEvent(event);
}

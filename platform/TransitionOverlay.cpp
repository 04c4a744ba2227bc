#include "TransitionOverlay.h"

#include "RunningAnimations.h"
#include "View.h"
#include "ViewState.h"

#include <QGraphicsEffect>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>

#include <algorithm>
#include <cmath>

namespace {

using Kind = TransitionOverlay::Kind;
using Side = TransitionOverlay::Side;

qreal dot(QPointF a, QPointF b)
{
    return a.x() * b.x() + a.y() * b.y();
}

// Where content coming in from `side` starts, relative to its place.
QPointF entry(Side side, const QRectF &r)
{
    switch (side) {
    case Side::Right:
        return {r.width(), 0};
    case Side::Left:
        return {-r.width(), 0};
    case Side::Top:
        return {0, -r.height()};
    case Side::Bottom:
        return {0, r.height()};
    }
    return {};
}

void paintSlide(QPainter &p, const QRectF &r, Kind kind, Side side, const QImage &before,
                const QImage &after, qreal t)
{
    const QPointF in = entry(side, r);
    switch (kind) {
    case Kind::Push:
        p.drawImage(r.translated(-in * t), before);
        p.drawImage(r.translated(in * (1 - t)), after);
        break;
    case Kind::Reveal:
        p.drawImage(r, after);
        p.drawImage(r.translated(-in * t), before);
        break;
    default: // move in
        p.drawImage(r, before);
        p.drawImage(r.translated(in * (1 - t)), after);
        break;
    }
}

// `image` over `size` at `weight` of its strength, premultiplied.
QImage weighted(const QImage &image, QSizeF size, qreal ratio, qreal weight)
{
    QImage out((size * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(ratio);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setOpacity(weight);
    p.drawImage(QRectF(QPointF(0, 0), size), image);
    return out;
}

bool isBlank(const QImage &image)
{
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        return image.isNull();
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) != 0)
                return false;
    }
    return true;
}

// Two pictures fade one after the other: the old one out in the first half, the new one in
// in the second, so two texts are never both readable on top of each other. From or to
// nothing there is no such clash, and the one picture fades all the way. The weighted
// pictures are added, so a see-through side leaves the other one untouched. (The raster
// engine's Plus ignores the painter's opacity, hence the second buffer.)
void paintFade(QPainter &p, const QRectF &r, const QImage &before, const QImage &after, qreal t)
{
    qreal out = 1 - t, in = t;
    if (!isBlank(before) && !isBlank(after)) {
        out = std::max<qreal>(0, 1 - 2 * t);
        in = std::max<qreal>(0, 2 * t - 1);
    }
    const qreal ratio = p.device()->devicePixelRatioF();
    QImage mix = weighted(before, r.size(), ratio, out);
    {
        QPainter m(&mix);
        m.setCompositionMode(QPainter::CompositionMode_Plus);
        m.drawImage(QRectF(QPointF(0, 0), r.size()), weighted(after, r.size(), ratio, in));
    }
    p.drawImage(r, mix);
}

// A card turning about its vertical axis, the side it flips from coming towards the eye: the
// old face until it stands edge-on, then the new.
void paintFlip(QPainter &p, const QRectF &r, bool fromRight, const QImage &before,
               const QImage &after, qreal t)
{
    const bool firstHalf = t < 0.5;
    const qreal turn = fromRight ? 180.0 : -180.0;
    const qreal angle = firstHalf ? turn * t : turn * (t - 1);
    // QTransform's perspective sits 1024 units from the plane; scaling around the rotation
    // puts the eye about twice the card's width away, whatever the size.
    const qreal unit = 2.0 * std::max<qreal>(r.width(), 1.0) / 1024.0;
    const QPointF c = r.center();
    QTransform turnAbout =
        QTransform::fromTranslate(-c.x(), -c.y()) * QTransform::fromScale(1 / unit, 1 / unit) *
        QTransform().rotate(angle, Qt::YAxis) * QTransform::fromScale(unit, unit) *
        QTransform::fromTranslate(c.x(), c.y());
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setTransform(turnAbout, true);
    p.drawImage(r, firstHalf ? before : after);
    // The face darkens as it turns away from the light.
    const qreal shade = std::abs(std::sin(angle * M_PI / 180.0)) * 0.45;
    p.fillRect(r, QColor(0, 0, 0, qRound(255 * shade)));
    p.restore();
}

QPainterPath halfPlane(QPointF origin, QPointF normal, qreal offset, qreal reach)
{
    // Points x with (x - origin) . normal >= offset, as a large polygon.
    const QPointF along(-normal.y(), normal.x());
    const QPointF base = origin + normal * offset;
    QPainterPath path;
    path.addPolygon(
        QPolygonF({base - along * reach, base + along * reach,
                   base + along * reach + normal * reach, base - along * reach + normal * reach}));
    path.closeSubpath();
    return path;
}

// A page lifted at its lower right corner and folded back over itself along a line that has
// travelled `f` of the way across (0 flat, 1 gone). The fold's far side lies flat; the near
// side is drawn reflected across the fold as the page's back, paper with the picture faintly
// through it, shaded like a sheet bending at the crease; `under` shows where the page has
// left, darkened along the fold where the lifted page shades it.
void paintCurl(QPainter &p, const QRectF &r, const QImage &page, const QImage &under, qreal f)
{
    p.drawImage(r, under);
    if (f >= 1.0)
        return;
    if (f <= 0.0) {
        p.drawImage(r, page);
        return;
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPointF corner = r.bottomRight();
    // The corner travels up and to the left, more up than left, like a page lifted to turn.
    QPointF d(-0.6 * r.width(), -r.height());
    d /= std::hypot(d.x(), d.y());
    qreal across = 0;
    for (QPointF q : {r.topLeft(), r.topRight(), r.bottomLeft()})
        across = std::max(across, dot(q - corner, d));
    const qreal s = f * across;
    const qreal size = std::hypot(r.width(), r.height());
    const qreal reach = 4 * (r.width() + r.height());
    QPainterPath rect;
    rect.addRect(r);
    const QPainterPath flat = rect.intersected(halfPlane(corner, d, s, reach));
    const QPainterPath lifted = rect.subtracted(flat);
    // Reflection across the fold line { x : (x - corner) . d = s }.
    const qreal k = 2 * (dot(corner, d) + s);
    const QTransform mirror(1 - 2 * d.x() * d.x(), -2 * d.x() * d.y(), -2 * d.x() * d.y(),
                            1 - 2 * d.y() * d.y(), k * d.x(), k * d.y());
    const QPainterPath back = mirror.map(lifted).intersected(rect);
    const QPointF fold = corner + d * s;

    // What the page uncovers lies in its shade near the fold.
    QLinearGradient underShade(fold, fold - d * std::max(1.0, std::min(s, 0.22 * size)));
    underShade.setColorAt(0, QColor(0, 0, 0, 150));
    underShade.setColorAt(0.4, QColor(0, 0, 0, 60));
    underShade.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillPath(lifted, underShade);

    p.setClipPath(flat);
    p.drawImage(r, page);
    // The back stands a little off the page and casts a soft shadow around its edges.
    const qreal blur = std::max(1.0, 0.012 * size);
    for (int i = 5; i >= 1; --i)
        p.strokePath(back.translated(d * blur * 0.5),
                     QPen(QColor(0, 0, 0, 22), blur * i, Qt::SolidLine, Qt::RoundCap,
                          Qt::RoundJoin));
    p.setClipping(false);

    // The back: paper, with the picture showing faintly through it the other way round.
    p.save();
    p.setClipPath(back);
    p.setTransform(mirror, true);
    p.drawImage(r, page);
    p.restore();
    p.fillPath(back, QColor(244, 243, 238, 205));
    // Dark in the crease, a highlight where the sheet turns towards the light, darker again
    // towards the corner, which curves away.
    // The crease and the highlight keep their width on the page whatever the fold's depth.
    const qreal depth = std::max(1.0, s);
    const auto at = [depth](qreal length) { return std::min(1.0, length / depth); };
    QLinearGradient bend(fold, fold + d * depth);
    bend.setColorAt(0, QColor(0, 0, 0, 140));
    bend.setColorAt(at(0.03 * size), QColor(0, 0, 0, 40));
    bend.setColorAt(at(0.09 * size), QColor(255, 255, 255, 90));
    bend.setColorAt(at(0.25 * size), QColor(255, 255, 255, 0));
    bend.setColorAt(std::max(at(0.25 * size), 0.8), QColor(0, 0, 0, 25));
    bend.setColorAt(1, QColor(0, 0, 0, 70));
    p.fillPath(back, bend);
    // Its edge, inside it only: the clipped path carries edges outside what it fills.
    p.setClipPath(back);
    p.strokePath(back, QPen(QColor(0, 0, 0, 45), 2.0));
    p.restore();
}

} // namespace

QImage TransitionOverlay::emptySnapshot(const QWidget *view)
{
    const qreal ratio = view->devicePixelRatioF();
    QImage empty((QSizeF(view->size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    empty.setDevicePixelRatio(ratio);
    empty.fill(Qt::transparent);
    return empty;
}

QImage TransitionOverlay::snapshot(QWidget *view)
{
    if (View::isHidden(view))
        return emptySnapshot(view);
    // The view's alpha (or a hold) is the overlay's business, not the picture's.
    QGraphicsEffect *effect = view->graphicsEffect();
    const bool enabled = effect && effect->isEnabled();
    if (enabled)
        effect->setEnabled(false);
    // Without the window background grab() would add: what the view does not paint stays
    // see-through, as it is on screen.
    QImage image = emptySnapshot(view);
    view->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    if (enabled)
        effect->setEnabled(true);
    return image;
}

QPropertyAnimation *TransitionOverlay::start(QWidget *view, Kind kind, Side side,
                                             const QImage &before, const QImage &after,
                                             double seconds, const QEasingCurve &curve)
{
    const int ms = RunningAnimations::milliseconds(seconds);
    if (view == nullptr || view->parentWidget() == nullptr || ms <= 0)
        return nullptr;
    ViewState *state = ViewState::of(view);
    if (auto *running = qobject_cast<QPropertyAnimation *>(state->transition.data())) {
        QObject *overlay = running->targetObject();
        delete running;
        delete overlay;
    }
    auto *overlay = new TransitionOverlay(view, kind, side, before, after);
    auto *animation = new QPropertyAnimation(overlay, "progress");
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setDuration(ms);
    animation->setEasingCurve(curve);
    state->transition = animation;
    state->hold();
    return animation;
}

TransitionOverlay::TransitionOverlay(QWidget *view, Kind kind, Side side, const QImage &before,
                                     const QImage &after)
    : QWidget(view->parentWidget()), m_view(view), m_kind(kind), m_side(side), m_before(before),
      m_after(after), m_opacity(View::alpha(view))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(view->geometry());
    // Just above the view: over it, under whatever already lay over it.
    const QObjectList &siblings = view->parentWidget()->children();
    QWidget *above = nullptr;
    for (qsizetype i = siblings.indexOf(view) + 1; i < siblings.size() && !above; ++i) {
        auto *sibling = qobject_cast<QWidget *>(siblings.at(i));
        if (sibling && sibling != this && !sibling->isWindow())
            above = sibling;
    }
    if (above)
        stackUnder(above);
    else
        raise();
    connect(view, &QObject::destroyed, this, [this] {
        hide();
        deleteLater();
    });
    show();
}

TransitionOverlay::~TransitionOverlay()
{
    if (m_view) {
        ViewState *state = ViewState::of(m_view);
        state->release();
        state->transition.clear();
    }
}

void TransitionOverlay::setProgress(qreal progress)
{
    m_progress = progress;
    update();
}

void TransitionOverlay::paintFrame(QPainter &painter, const QRectF &rect, Kind kind, Side side,
                                   const QImage &before, const QImage &after, qreal progress)
{
    const qreal t = std::clamp<qreal>(progress, 0.0, 1.0);
    switch (kind) {
    case Kind::Fade:
        paintFade(painter, rect, before, after, t);
        break;
    case Kind::Push:
    case Kind::Reveal:
    case Kind::MoveIn:
        paintSlide(painter, rect, kind, side, before, after, t);
        break;
    case Kind::CurlUp:
        paintCurl(painter, rect, before, after, t);
        break;
    case Kind::CurlDown: // a curl up played backwards, the new page lying down over the old
        paintCurl(painter, rect, after, before, 1 - t);
        break;
    case Kind::FlipFromRight:
    case Kind::FlipFromLeft:
        paintFlip(painter, rect, kind == Kind::FlipFromRight, before, after, t);
        break;
    }
}

void TransitionOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setOpacity(m_opacity);
    paintFrame(painter, QRectF(rect()), m_kind, m_side, m_before, m_after, m_progress);
}

#include "ViewState.h"

#include <QAbstractAnimation>
#include <QGraphicsOpacityEffect>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

const char *const stateName = "velmora-view-state";

// A coordinate in the range a widget can take; nothing for one that is not a number.
int pixel(qreal v)
{
    return std::isnan(v) ? 0 : static_cast<int>(std::lround(std::clamp<qreal>(v, -1e7, 1e7)));
}

// Edges rounded one by one, so views that share an edge in reals share it in pixels.
QRect pixelRect(const QRectF &r)
{
    const int left = pixel(r.left()), top = pixel(r.top());
    return QRect(left, top, std::max(0, pixel(r.right()) - left),
                 std::max(0, pixel(r.bottom()) - top));
}

QRectF scaledAboutCentre(const QRectF &r, qreal scale)
{
    if (scale == 1.0)
        return r;
    QRectF scaled(0, 0, r.width() * scale, r.height() * scale);
    scaled.moveCenter(r.center());
    return scaled;
}

} // namespace

ViewState::ViewState(QWidget *view) : QObject(view), m_view(view)
{
    setObjectName(stateName);
    m_frame = m_presentedFrame = QRectF(view->geometry());
    m_applied = view->geometry();
}

ViewState *ViewState::of(QWidget *view)
{
    if (ViewState *state = find(view))
        return state;
    return new ViewState(view);
}

ViewState *ViewState::find(const QWidget *view)
{
    return view->findChild<ViewState *>(stateName, Qt::FindDirectChildrenOnly);
}

void ViewState::setAlpha(double alpha)
{
    m_alpha = alpha;
    applyTouches();
}

QRectF ViewState::frame()
{
    if (m_view->geometry() != m_applied && !m_frameAnimation && !m_scaleAnimation) {
        m_applied = m_view->geometry();
        m_frame = scaledAboutCentre(QRectF(m_applied), 1.0 / m_presentedScale);
        m_presentedFrame = m_frame;
        m_scale = m_presentedScale;
    }
    return m_frame;
}

void ViewState::setUserInteractionEnabled(bool enabled)
{
    m_interaction = enabled;
    applyTouches();
}

void ViewState::setPresentedAlpha(qreal alpha)
{
    m_presentedAlpha = alpha;
    applyOpacity();
}

void ViewState::setPresentedFrame(const QRectF &frame)
{
    m_presentedFrame = frame;
    applyGeometry();
}

void ViewState::setPresentedScale(qreal scale)
{
    m_presentedScale = scale;
    applyGeometry();
}

void ViewState::hold()
{
    ++m_holds;
    applyOpacity();
}

void ViewState::release()
{
    m_holds = std::max(0, m_holds - 1);
    applyOpacity();
}

QPointer<QAbstractAnimation> &ViewState::runningAnimation(const QByteArray &property)
{
    if (property == "presentedAlpha")
        return m_alphaAnimation;
    if (property == "presentedFrame")
        return m_frameAnimation;
    return m_scaleAnimation;
}

bool ViewState::isAnimating() const
{
    return m_alphaAnimation || m_frameAnimation || m_scaleAnimation || transition;
}

void ViewState::applyOpacity()
{
    const qreal opacity = m_holds > 0 ? 0.0 : std::clamp(m_presentedAlpha, 0.0, 1.0);
    // An opaque view goes without an effect: effects cost a pixmap and a second paint.
    if (opacity >= 1.0) {
        if (m_effect && m_view->graphicsEffect() == m_effect)
            m_view->setGraphicsEffect(nullptr);
        return;
    }
    if (!m_effect) {
        m_effect = new QGraphicsOpacityEffect(m_view);
        m_view->setGraphicsEffect(m_effect);
    }
    m_effect->setOpacity(opacity);
}

void ViewState::applyGeometry()
{
    m_applied = pixelRect(scaledAboutCentre(m_presentedFrame, m_presentedScale));
    m_view->setGeometry(m_applied);
}

void ViewState::applyTouches()
{
    const bool off = !m_interaction || m_alpha <= 0.0;
    if (off == m_touchesOffByUs)
        return;
    if (off && m_view->testAttribute(Qt::WA_TransparentForMouseEvents))
        return; // already off for someone else's reason, which stays theirs
    m_view->setAttribute(Qt::WA_TransparentForMouseEvents, off);
    m_touchesOffByUs = off;
}

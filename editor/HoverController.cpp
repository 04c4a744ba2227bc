#include "HoverController.h"

#include "AnimationBlock.h"
#include "EditorNotifications.h"
#include "NavigationBar.h"
#include "NotificationCenter.h"
#include "Timer.h"
#include "View.h"

#include <QGraphicsOpacityEffect>

HoverController::HoverController(QObject *parent) : QObject(parent) {}

// The timers are children of this controller (Timer's ownership), so they go with it.
HoverController::~HoverController() = default;

void HoverController::showHoverView(bool show)
{
    if (!m_hoverView)
        return;
    if (View::superview(m_hoverView) != m_containerView) {
        relocate();
        View::removeFromSuperview(m_hoverView);
        if (m_containerView) {
            View::addSubview(m_containerView, m_hoverView);
            View::bringSubviewToFront(m_containerView, m_hoverView);
        }
    }
    if (!View::superview(m_hoverView))
        return;

    Timer::invalidate(m_hideTimer);
    if (show)
        m_hideTimer = Timer::scheduled(m_hideInterval, this, &HoverController::hideTimerFired);

    const double alpha = show ? 1.0 : 0.0;
    if (show)
        View::setHidden(m_hoverView, false);
    fadeHover(alpha);
    if (m_navBar)
        fade(m_navBar->navigationBar(), alpha);
    if (m_toolBar)
        fade(m_toolBar, alpha);

    NotificationCenter::defaultCenter().post(
        show ? EditorNotifications::kHoverShown : EditorNotifications::kHoverHidden, this);
}

void HoverController::fade(QWidget *view, double alpha, AnimationBlock::EndAction done)
{
    AnimationBlock *animation = AnimationBlock::animation();
    const bool started = animation->start(view, true, 0, done);
    View::setAlpha(view, alpha);
    animation->end(view, started);
    if (!started && done)
        done();
}

// Qt counts an opaque child of a translucent view as covering what lies beneath it and
// redraws nothing there, so the preview would stay on screen as the window fades. While it
// fades, its opaque content is drawn through an effect of its own, which Qt does not count as
// opaque; faded out, the window is hidden.
void HoverController::fadeHover(double alpha)
{
    const quint64 fadeNumber = ++m_fades;
    for (QWidget *child : m_hoverView->findChildren<QWidget *>()) {
        if (!child->graphicsEffect() &&
            (child->autoFillBackground() || child->testAttribute(Qt::WA_OpaquePaintEvent))) {
            auto *lens = new QGraphicsOpacityEffect(child);
            child->setGraphicsEffect(lens);
            m_lenses.append(lens);
        }
    }
    QPointer<HoverController> self = this;
    QPointer<QWidget> hover = m_hoverView;
    fade(hover, alpha, [self, hover, fadeNumber] {
        if (!self || fadeNumber != self->m_fades)
            return; // a later fade runs on
        for (const QPointer<QGraphicsOpacityEffect> &lens : std::as_const(self->m_lenses)) {
            auto *child = lens ? qobject_cast<QWidget *>(lens->parent()) : nullptr;
            if (child && child->graphicsEffect() == lens)
                child->setGraphicsEffect(nullptr);
        }
        self->m_lenses.clear();
        if (hover && View::alpha(hover) == 0.0)
            View::setHidden(hover, true);
    });
}

void HoverController::tap(const Notification &)
{
    Timer::invalidate(m_tapTimer);
    m_tapTimer = Timer::scheduled(m_tapInterval, this, &HoverController::showTimerFired);
}

// The first touch of a double tap has already asked for a toggle; the second cancels it.
void HoverController::doubleTap(const Notification &)
{
    Timer::invalidate(m_tapTimer);
}

void HoverController::showTimerFired()
{
    Timer::invalidate(m_tapTimer);
    // A half-faded window counts as hidden, so the tap brings it back.
    if (m_hoverView)
        showHoverView(View::alpha(m_hoverView) != 1.0);
}

void HoverController::hideTimerFired()
{
    Timer::invalidate(m_hideTimer);
    showHoverView(false);
}

void HoverController::relocate()
{
    if (m_anchorTop || !m_hoverView || !m_containerView)
        return;
    QRectF frame = View::frame(m_hoverView);
    const QRectF bounds = View::bounds(m_containerView);
    frame.moveTop(bounds.height() - frame.height() - kMargin);
    if (bounds.width() > bounds.height())
        frame.moveLeft(m_lefthand ? kMargin : bounds.width() - frame.width() - kMargin);
    else
        frame.moveLeft(bounds.x() + (bounds.width() - frame.width()) / 2);
    View::setFrame(m_hoverView, frame);
}

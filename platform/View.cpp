#include "View.h"

#include "ViewAnimation.h"
#include "ViewState.h"

#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// Hidden by someone's choice, as against a child Qt has not shown yet.
bool explicitlyHidden(const QWidget *view)
{
    return view->testAttribute(Qt::WA_WState_Hidden) &&
           view->testAttribute(Qt::WA_WState_ExplicitShowHide);
}

// setParent() hides a widget; a view keeps its hidden flag when it moves.
void reparent(QWidget *view, QWidget *parent)
{
    const bool hidden = explicitlyHidden(view);
    view->setParent(parent);
    if (hidden)
        view->hide();
    else if (parent)
        view->show();
    else
        view->setAttribute(Qt::WA_WState_ExplicitShowHide, false);
}

} // namespace

double View::alpha(const QWidget *view)
{
    const ViewState *state = ViewState::find(view);
    return state ? state->alpha() : 1.0;
}

void View::setAlpha(QWidget *view, double alpha)
{
    alpha = std::isnan(alpha) ? 0.0 : std::clamp(alpha, 0.0, 1.0);
    ViewState *state = ViewState::of(view);
    state->setAlpha(alpha);
    ViewAnimation::change(state, "presentedAlpha", alpha);
}

QRectF View::frame(const QWidget *view)
{
    // frame() may adopt a geometry set behind View's back; that changes no model value.
    ViewState *state = ViewState::find(view);
    return state ? state->frame() : QRectF(view->geometry());
}

void View::setFrame(QWidget *view, const QRectF &frame)
{
    ViewState *state = ViewState::of(view);
    state->frame();
    state->setFrame(frame);
    ViewAnimation::change(state, "presentedFrame", frame);
}

QRectF View::bounds(const QWidget *view)
{
    return QRectF(QPointF(0, 0), frame(view).size());
}

QPointF View::center(const QWidget *view)
{
    return frame(view).center();
}

void View::setCenter(QWidget *view, const QPointF &center)
{
    QRectF moved = frame(view);
    moved.moveCenter(center);
    setFrame(view, moved);
}

double View::scale(const QWidget *view)
{
    const ViewState *state = ViewState::find(view);
    return state ? state->scale() : 1.0;
}

void View::setScale(QWidget *view, double scale)
{
    // A widget cannot be drawn mirrored: no scale below none.
    scale = scale > 0.0 ? scale : 0.0;
    ViewState *state = ViewState::of(view);
    state->frame();
    state->setScale(scale);
    ViewAnimation::change(state, "presentedScale", scale);
}

bool View::isHidden(const QWidget *view)
{
    return explicitlyHidden(view);
}

void View::setHidden(QWidget *view, bool hidden)
{
    if (hidden)
        view->hide();
    else if (view->parentWidget() || view->isVisible())
        view->show();
    else // a detached view is not made a window of its own
        view->setAttribute(Qt::WA_WState_ExplicitShowHide, false);
}

bool View::isUserInteractionEnabled(const QWidget *view)
{
    const ViewState *state = ViewState::find(view);
    return state ? state->isUserInteractionEnabled() : true;
}

void View::setUserInteractionEnabled(QWidget *view, bool enabled)
{
    ViewState::of(view)->setUserInteractionEnabled(enabled);
}

QWidget *View::superview(const QWidget *view)
{
    return view->parentWidget();
}

void View::addSubview(QWidget *parent, QWidget *child)
{
    if (parent == nullptr || child == nullptr || parent == child)
        return;
    if (child->parentWidget() != parent)
        reparent(child, parent);
    child->raise();
}

void View::removeFromSuperview(QWidget *view)
{
    if (view->parentWidget())
        reparent(view, nullptr);
}

void View::bringSubviewToFront(QWidget *parent, QWidget *child)
{
    if (child && child->parentWidget() == parent)
        child->raise();
}

QRectF View::convertRect(const QRectF &rect, const QWidget *from, const QWidget *to)
{
    if (from == to)
        return rect;
    // A null end stands for the window of the other one.
    const auto map = [from, to](QPointF p) {
        if (from)
            p = from->mapTo(from->window(), p);
        if (to == nullptr)
            return p;
        const QWidget *window = to->window();
        if (from && from->window() != window)
            p = window->mapFromGlobal(from->window()->mapToGlobal(p));
        return to->mapFrom(window, p);
    };
    return QRectF(map(rect.topLeft()), map(rect.bottomRight()));
}

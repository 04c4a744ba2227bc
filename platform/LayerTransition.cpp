#include "LayerTransition.h"

#include "RunningAnimations.h"
#include "TransitionOverlay.h"
#include "ViewState.h"

#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QWidget>

namespace {

TransitionOverlay::Kind overlayKind(LayerTransition::Type type)
{
    switch (type) {
    case LayerTransition::Type::Push:
        return TransitionOverlay::Kind::Push;
    case LayerTransition::Type::Reveal:
        return TransitionOverlay::Kind::Reveal;
    case LayerTransition::Type::MoveIn:
        return TransitionOverlay::Kind::MoveIn;
    case LayerTransition::Type::Fade:
        break;
    }
    return TransitionOverlay::Kind::Fade;
}

TransitionOverlay::Side overlaySide(LayerTransition::Subtype subtype)
{
    switch (subtype) {
    case LayerTransition::Subtype::FromLeft:
        return TransitionOverlay::Side::Left;
    case LayerTransition::Subtype::FromTop:
        return TransitionOverlay::Side::Top;
    case LayerTransition::Subtype::FromBottom:
        return TransitionOverlay::Side::Bottom;
    default: // no side given: from the right, the usual direction
        return TransitionOverlay::Side::Right;
    }
}

} // namespace

void LayerTransition::capture(QWidget *view)
{
    if (view == nullptr)
        return;
    ViewState *state = ViewState::of(view);
    state->captured = TransitionOverlay::snapshot(view);
    state->hasCapture = true;
}

void LayerTransition::add(QWidget *view, Type type, Subtype subtype, double seconds, Timing timing)
{
    if (view == nullptr)
        return;
    ViewState *state = ViewState::of(view);
    // Without a capture, as if the view had been empty.
    const QImage before =
        state->hasCapture ? state->captured : TransitionOverlay::emptySnapshot(view);
    state->captured = QImage();
    state->hasCapture = false;
    const QEasingCurve curve =
        timing == Timing::EaseInOut ? QEasingCurve::InOutQuad : QEasingCurve::Linear;
    QPropertyAnimation *animation =
        TransitionOverlay::start(view, overlayKind(type), overlaySide(subtype), before,
                                 TransitionOverlay::snapshot(view), seconds, curve);
    if (animation == nullptr)
        return;
    auto *group = new QParallelAnimationGroup;
    group->addAnimation(animation);
    RunningAnimations::start(group, nullptr, {});
}

#include "ViewAnimation.h"

#include "MainThread.h"
#include "RunningAnimations.h"
#include "TransitionOverlay.h"
#include "ViewState.h"

#include <QCoreApplication>
#include <QParallelAnimationGroup>
#include <QPointer>
#include <QPropertyAnimation>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

struct Change
{
    QPointer<ViewState> state;
    QByteArray property;
    QVariant to;
};

struct Block
{
    double seconds = 0.2;
    ViewAnimation::Curve curve = ViewAnimation::Curve::EaseInOut;
    // The end action's context: the delegate, or the application when none was given.
    QPointer<QObject> context = QCoreApplication::instance();
    std::function<void()> didStop;
    ViewAnimation::Transition transition = ViewAnimation::Transition::None;
    QPointer<QWidget> transitionView;
    QImage before;
    std::vector<Change> changes;
};

std::vector<Block> &openBlocks()
{
    static std::vector<Block> blocks;
    return blocks;
}

// Ends what runs on the property (its group carries on with the rest) and shows `to`.
void applyAtOnce(ViewState *state, const char *property, const QVariant &to)
{
    delete state->runningAnimation(property).data();
    state->setProperty(property, to);
}

QEasingCurve easing(ViewAnimation::Curve curve)
{
    return curve == ViewAnimation::Curve::Linear ? QEasingCurve::Linear : QEasingCurve::InOutQuad;
}

TransitionOverlay::Kind overlayKind(ViewAnimation::Transition transition)
{
    switch (transition) {
    case ViewAnimation::Transition::CurlDown:
        return TransitionOverlay::Kind::CurlDown;
    case ViewAnimation::Transition::FlipFromRight:
        return TransitionOverlay::Kind::FlipFromRight;
    case ViewAnimation::Transition::FlipFromLeft:
        return TransitionOverlay::Kind::FlipFromLeft;
    default:
        return TransitionOverlay::Kind::CurlUp;
    }
}

// The changes of a block, the last one for each property of each view, in order.
std::vector<Change> lastChanges(std::vector<Change> changes)
{
    std::vector<Change> last;
    for (auto it = changes.rbegin(); it != changes.rend(); ++it) {
        const bool seen = std::any_of(last.begin(), last.end(), [&](const Change &c) {
            return c.state == it->state && c.property == it->property;
        });
        if (it->state && !seen)
            last.push_back(*it);
    }
    std::reverse(last.begin(), last.end());
    return last;
}

} // namespace

void ViewAnimation::begin()
{
    Q_ASSERT(MainThread::isCurrent());
    openBlocks().emplace_back();
}

bool ViewAnimation::isOpen()
{
    return !openBlocks().empty();
}

void ViewAnimation::setDuration(double seconds)
{
    if (isOpen())
        openBlocks().back().seconds = std::max(0.0, seconds);
}

void ViewAnimation::setCurve(Curve curve)
{
    if (isOpen())
        openBlocks().back().curve = curve;
}

void ViewAnimation::setDelegate(QObject *delegate, std::function<void()> didStop)
{
    if (!isOpen())
        return;
    Block &block = openBlocks().back();
    block.context = delegate ? delegate : QCoreApplication::instance();
    block.didStop = std::move(didStop);
}

void ViewAnimation::setTransition(Transition transition, QWidget *view)
{
    if (!isOpen())
        return;
    Block &block = openBlocks().back();
    block.transition = view ? transition : Transition::None;
    block.transitionView = view;
    if (block.transition != Transition::None)
        block.before = TransitionOverlay::snapshot(view);
}

void ViewAnimation::commit()
{
    if (!isOpen())
        return;
    Block block = std::move(openBlocks().back());
    openBlocks().pop_back();
    const int ms = RunningAnimations::milliseconds(block.seconds);
    auto *group = new QParallelAnimationGroup;
    for (const Change &change : lastChanges(std::move(block.changes))) {
        const char *property = change.property.constData();
        const QVariant from = change.state->property(property);
        applyAtOnce(change.state, property, from); // from what is on screen now
        if (ms <= 0 || from == change.to) {
            change.state->setProperty(property, change.to);
            continue;
        }
        auto *animation = new QPropertyAnimation(change.state, change.property);
        animation->setStartValue(from);
        animation->setEndValue(change.to);
        animation->setDuration(ms);
        animation->setEasingCurve(easing(block.curve));
        group->addAnimation(animation);
        change.state->runningAnimation(change.property) = animation;
    }
    if (block.transition != Transition::None && block.transitionView) {
        QWidget *view = block.transitionView;
        if (QPropertyAnimation *transition = TransitionOverlay::start(
                view, overlayKind(block.transition), TransitionOverlay::Side::Right, block.before,
                TransitionOverlay::snapshot(view), block.seconds, easing(block.curve)))
            group->addAnimation(transition);
    }
    if (group->animationCount() == 0) {
        delete group;
        if (block.didStop && block.context)
            MainThread::post(block.context, block.didStop);
        return;
    }
    RunningAnimations::start(group, block.context, block.didStop);
}

bool ViewAnimation::isAnimating(const QWidget *view)
{
    const ViewState *state = view ? ViewState::find(view) : nullptr;
    return state && state->isAnimating();
}

void ViewAnimation::finishAll()
{
    RunningAnimations::finishAll();
}

void ViewAnimation::change(ViewState *state, const char *property, const QVariant &to)
{
    if (!isOpen()) {
        applyAtOnce(state, property, to);
        return;
    }
    // Recorded for the commit; the screen keeps showing the old value until then.
    openBlocks().back().changes.push_back({state, property, to});
}

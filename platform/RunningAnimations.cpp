#include "RunningAnimations.h"

#include "TransitionOverlay.h"
#include "ViewState.h"

#include <QAnimationGroup>
#include <QPropertyAnimation>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

std::vector<QPointer<QAnimationGroup>> &groups()
{
    static std::vector<QPointer<QAnimationGroup>> running;
    return running;
}

void stopped(QAnimationGroup *group)
{
    std::vector<QPointer<TransitionOverlay>> overlays;
    for (int i = 0; i < group->animationCount(); ++i) {
        auto *animation = qobject_cast<QPropertyAnimation *>(group->animationAt(i));
        if (animation == nullptr)
            continue;
        QObject *target = animation->targetObject();
        if (auto *state = qobject_cast<ViewState *>(target)) {
            QPointer<QAbstractAnimation> &running =
                state->runningAnimation(animation->propertyName());
            if (running == animation)
                running.clear();
        } else if (auto *overlay = qobject_cast<TransitionOverlay *>(target)) {
            overlays.push_back(overlay);
        }
    }
    for (const QPointer<TransitionOverlay> &overlay : overlays)
        delete overlay.data();
}

} // namespace

void RunningAnimations::start(QAnimationGroup *group, QPointer<QObject> context,
                              std::function<void()> didStop)
{
    auto &running = groups();
    running.erase(std::remove_if(running.begin(), running.end(),
                                 [](const QPointer<QAnimationGroup> &g) { return g.isNull(); }),
                  running.end());
    running.push_back(group);
    QObject::connect(group, &QAbstractAnimation::stateChanged, group,
                     [group, context, didStop = std::move(didStop)](QAbstractAnimation::State now,
                                                                    QAbstractAnimation::State) {
                         if (now != QAbstractAnimation::Stopped)
                             return;
                         stopped(group);
                         if (context && didStop)
                             didStop();
                     });
    group->start(QAbstractAnimation::DeleteWhenStopped);
}

int RunningAnimations::milliseconds(double seconds)
{
    if (!(seconds > 0.0))
        return 0;
    return static_cast<int>(std::lround(std::min(seconds, 86400.0) * 1000.0));
}

void RunningAnimations::finishAll()
{
    // An end action may start new animations; those run on.
    std::vector<QPointer<QAnimationGroup>> now;
    now.swap(groups());
    for (const QPointer<QAnimationGroup> &group : now) {
        if (group && group->state() != QAbstractAnimation::Stopped)
            group->setCurrentTime(group->totalDuration());
        if (group && group->state() != QAbstractAnimation::Stopped)
            group->stop();
    }
}

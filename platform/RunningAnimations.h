#ifndef VELMORA_PLATFORM_RUNNINGANIMATIONS_H
#define VELMORA_PLATFORM_RUNNINGANIMATIONS_H

#include <QPointer>

#include <functional>

class QAnimationGroup;

// The animation groups of committed blocks and of layer transitions while they run, so that
// ViewAnimation::finishAll can end them all.
class RunningAnimations
{
public:
    RunningAnimations() = delete;

    // Starts `group` (deleted once it stops). When it stops its property animations let go
    // of their views, its transition overlays go, and then `didStop` runs, unless `context`
    // has died by then.
    static void start(QAnimationGroup *group, QPointer<QObject> context,
                      std::function<void()> didStop);
    static void finishAll();

    // An animation's length in milliseconds: none for a negative or unknown time, a day at
    // the most (QAbstractAnimation counts in int).
    static int milliseconds(double seconds);
};

#endif

#ifndef VELMORA_PLATFORM_TIMER_H
#define VELMORA_PLATFORM_TIMER_H

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

// Single-shot timers owned by their target: when the target is destroyed its timers go
// with it, so a dead target is never called. Start them from the target's thread.
// A handle is a QPointer: it becomes null once the timer has fired and been cleaned up,
// or when it is invalidated or its target dies.
class Timer
{
public:
    Timer() = delete;

    static QPointer<QTimer> scheduled(double seconds, QObject *target,
                                      std::function<void()> action);

    template <class T>
    static QPointer<QTimer> scheduled(double seconds, T *target, void (T::*member)())
    {
        return scheduled(seconds, static_cast<QObject *>(target),
                         [target, member] { (target->*member)(); });
    }

    // True while the timer waits to fire.
    static bool isPending(const QPointer<QTimer> &timer) { return timer && timer->isActive(); }

    // Stops the timer if it has not fired and drops the handle; harmless on a null handle.
    static void invalidate(QPointer<QTimer> &timer);
};

#endif

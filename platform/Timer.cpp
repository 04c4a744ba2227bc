#include "Timer.h"

#include <QThread>

#include <cmath>

QPointer<QTimer> Timer::scheduled(double seconds, QObject *target, std::function<void()> action)
{
    if (target == nullptr || !action)
        return {};
    Q_ASSERT(target->thread() == QThread::currentThread());
    auto *timer = new QTimer(target);
    timer->setSingleShot(true);
    timer->setInterval(static_cast<int>(std::lround(std::max(0.0, seconds) * 1000.0)));
    // The timer is the connection's context, so an invalidated timer can no longer fire
    // even if its timeout event is already queued.
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action = std::move(action)] {
        timer->deleteLater();
        action();
    });
    timer->start();
    return timer;
}

void Timer::invalidate(QPointer<QTimer> &timer)
{
    if (timer) {
        timer->stop();
        timer->deleteLater();
    }
    timer.clear();
}

#include "Timer.h"

#include <QThread>

#include <algorithm>
#include <cmath>
#include <limits>

QPointer<QTimer> Timer::scheduled(double seconds, QObject *target, std::function<void()> action)
{
    if (target == nullptr || !action)
        return {};
    Q_ASSERT(target->thread() == QThread::currentThread());
    auto *timer = new QTimer(target);
    timer->setSingleShot(true);
    // Capped at the longest interval a QTimer holds (about 24 days): a longer one would wrap
    // around to a short or zero wait.
    const double ms = std::min(std::max(0.0, seconds) * 1000.0,
                               double(std::numeric_limits<int>::max()));
    timer->setInterval(static_cast<int>(std::lround(ms)));
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

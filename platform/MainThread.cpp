#include "MainThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

bool MainThread::isCurrent()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

void MainThread::post(std::function<void()> work)
{
    post(QCoreApplication::instance(), std::move(work));
}

void MainThread::post(QObject *context, std::function<void()> work)
{
    Q_ASSERT(QCoreApplication::instance() != nullptr);
    if (context == nullptr || !work)
        return;
    Q_ASSERT(context->thread() == QCoreApplication::instance()->thread());
    QMetaObject::invokeMethod(context, std::move(work), Qt::QueuedConnection);
}

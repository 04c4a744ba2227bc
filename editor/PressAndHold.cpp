#include "PressAndHold.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWidget>

PressAndHold::PressAndHold(QWidget *view, QObject *parent) : QObject(parent), m_view(view)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kHoldDelay);
    connect(&m_timer, &QTimer::timeout, this, [this] { begin(kMouse); });
    if (view != nullptr)
        view->installEventFilter(this);
}

void PressAndHold::holdKey(int key)
{
    m_timer.stop();
    begin(key);
}

// While held, the whole application is watched for the release: the mouse may have left the
// view, and keys go to whichever widget has the focus.
void PressAndHold::begin(int key)
{
    if (isHeld())
        return;
    m_key = key;
    QCoreApplication::instance()->installEventFilter(this);
    emit held(true);
}

void PressAndHold::end()
{
    m_key = kNone;
    QCoreApplication::instance()->removeEventFilter(this);
    emit held(false);
}

bool PressAndHold::eventFilter(QObject *watched, QEvent *event)
{
    if (isHeld()) {
        switch (event->type()) {
        case QEvent::MouseButtonRelease:
            if (m_key == kMouse && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
                end();
                return true;
            }
            break;
        case QEvent::KeyRelease: {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == m_key && !key->isAutoRepeat()) {
                end();
                return true;
            }
            break;
        }
        case QEvent::ApplicationDeactivate:
            end();
            break;
        default:
            break;
        }
        return false;
    }
    if (watched != m_view)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: // a double click's second press is a double tap, not a hold
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_pressedAt = static_cast<QMouseEvent *>(event)->globalPosition();
            m_timer.start();
        }
        break;
    case QEvent::MouseMove: {
        const QPointF moved = static_cast<QMouseEvent *>(event)->globalPosition() - m_pressedAt;
        if (moved.manhattanLength() >= QGuiApplication::styleHints()->startDragDistance())
            m_timer.stop();
        break;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Hide:
        m_timer.stop();
        break;
    default:
        break;
    }
    return false;
}

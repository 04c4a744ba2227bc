#include "Touch.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace {

bool isPress(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
}

// The deepest widget at `global` within `receiver` that takes mouse events. A receiver that
// itself lets mouse events through hands the touch to its nearest ancestor that does not.
QWidget *hitView(QWidget *receiver, QPointF global)
{
    QWidget *view = receiver;
    while (view && view->parentWidget() &&
           (view->isHidden() || view->testAttribute(Qt::WA_TransparentForMouseEvents)))
        view = view->parentWidget();
    if (view == nullptr)
        return nullptr;
    // childAt already skips hidden and mouse-transparent children.
    QWidget *child = view->childAt(view->mapFromGlobal(global).toPoint());
    return child ? child : view;
}

// Follows every press in the application. Qt hands an ignored press on to each parent in
// turn, and the application filter sees each hand-over; only the first delivery begins a touch.
class TouchTracker : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (isPress(event->type()) && watched->isWidgetType()) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            auto *widget = static_cast<QWidget *>(watched);
            if (!isHandOver(mouse, widget)) {
                type = mouse->type();
                timestamp = mouse->timestamp();
                global = mouse->globalPosition();
                receiver = widget;
                following = true;
                view = hitView(widget, global);
                tapCount = mouse->type() == QEvent::MouseButtonDblClick ? 2 : 1;
            }
        }
        return false;
    }

    // Qt hands on a copy at whole-pixel global coordinates, with the same type and time.
    bool isHandOver(const QMouseEvent *mouse, const QWidget *widget) const
    {
        return receiver && mouse->type() == type && mouse->timestamp() == timestamp &&
               mouse->globalPosition().toPoint() == global.toPoint() &&
               (widget == receiver || widget->isAncestorOf(receiver));
    }

    QEvent::Type type = QEvent::None;
    quint64 timestamp = 0;
    QPointF global;
    QPointer<QWidget> receiver;
    QPointer<QWidget> view;
    int tapCount = 1;
    bool following = false; // a press has been seen
};

QPointer<TouchTracker> &tracker()
{
    static QPointer<TouchTracker> instance;
    return instance;
}

} // namespace

void Touch::install()
{
    if (tracker() || QCoreApplication::instance() == nullptr)
        return;
    // Owned by the application, so it goes away with it.
    tracker() = new TouchTracker(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(tracker());
}

Touch Touch::fromMouseEvent(const QMouseEvent *event, const QWidget *receiver)
{
    Phase phase = Phase::Moved;
    if (isPress(event->type()))
        phase = Phase::Began;
    else if (event->type() == QEvent::MouseButtonRelease)
        phase = Phase::Ended;

    const TouchTracker *state = tracker();
    if (state && state->following)
        return Touch(phase, state->tapCount, state->view, event->globalPosition());
    // Not following presses: read what the event itself tells.
    const int taps = event->type() == QEvent::MouseButtonDblClick ? 2 : 1;
    return Touch(phase, taps, hitView(const_cast<QWidget *>(receiver), event->globalPosition()),
                 event->globalPosition());
}

QPointF Touch::locationInView(const QWidget *view) const
{
    return view ? view->mapFromGlobal(m_globalPosition) : m_globalPosition;
}

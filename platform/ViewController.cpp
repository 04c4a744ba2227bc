#include "ViewController.h"
#include "NavigationStack.h"
#include "Touch.h"

#include <QMouseEvent>
#include <QWidget>

namespace {

// Sits on a screen's root view and hands the controller every press, move and release that
// nothing below the root view consumed, and that the root view itself does not consume.
class RootViewWatcher : public QObject
{
public:
    explicit RootViewWatcher(ViewController *controller)
        : QObject(controller), m_controller(controller)
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (m_delivering || !watched->isWidgetType() ||
            (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
             type != QEvent::MouseMove && type != QEvent::MouseButtonRelease))
            return false;
        auto *view = static_cast<QWidget *>(watched);
        auto *mouse = static_cast<QMouseEvent *>(event);
        // A disabled view takes no touches, and a move without a button is no touch.
        if (!view->isEnabled() || (type == QEvent::MouseMove && mouse->buttons() == Qt::NoButton))
            return false;

        // Whether the root view consumes the event is only known once it has handled it, so
        // deliver it here; the watcher is installed first, so no filter is skipped.
        m_delivering = true;
        const bool handled = static_cast<QObject *>(view)->event(event);
        m_delivering = false;
        if (!handled)
            event->ignore();
        if (event->isAccepted())
            return true;

        const Touch touch = Touch::fromMouseEvent(mouse, view);
        switch (touch.phase()) {
        case Touch::Phase::Began:
            m_controller->touchesBegan(touch);
            break;
        case Touch::Phase::Moved:
            m_controller->touchesMoved(touch);
            break;
        case Touch::Phase::Ended:
            m_controller->touchesEnded(touch);
            break;
        }
        // Still ignored: Qt goes on to the parent views as it would have.
        event->ignore();
        return true;
    }

private:
    ViewController *m_controller;
    bool m_delivering = false;
};

} // namespace

ViewController::ViewController(QObject *parent) : QObject(parent)
{
    Touch::install();
}

// The root view belongs to its controller even while a parent widget shows it; deleting it
// here also takes it out of that parent. If the parent went first, the pointer is already null.
ViewController::~ViewController()
{
    delete m_view.data();
}

QWidget *ViewController::view()
{
    if (m_view == nullptr && !m_loading) {
        m_loading = true;
        loadView();
        if (m_view == nullptr)
            setView(new QWidget);
        m_loading = false;
        viewDidLoad();
    }
    return m_view;
}

void ViewController::setView(QWidget *view)
{
    if (view == m_view)
        return;
    if (m_view) {
        m_view->removeEventFilter(m_watcher);
        delete m_view.data();
    }
    m_view = view;
    if (view == nullptr)
        return;
    if (m_watcher == nullptr)
        m_watcher = new RootViewWatcher(this);
    view->installEventFilter(m_watcher);
}

void ViewController::setTitle(const QString &title)
{
    m_item.title = title;
    navigationItemChanged();
}

void ViewController::navigationItemChanged()
{
    emit navigationItemDidChange();
}

NavigationStack *ViewController::navigationController() const
{
    return m_navigationController;
}

int ViewController::interfaceOrientation() const
{
    const QWidget *shown = m_navigationController && m_navigationController->isViewLoaded()
                               ? m_navigationController->m_view.data()
                               : m_view.data();
    if (shown && shown->width() > shown->height())
        return LandscapeRight;
    return Portrait;
}

bool ViewController::mayGoBack() const
{
    return true;
}

bool ViewController::shouldAutorotateToInterfaceOrientation(int orientation)
{
    return orientation == Portrait;
}

void ViewController::willRotateToInterfaceOrientation(int, double) {}
void ViewController::willAnimateFirstHalfOfRotationToInterfaceOrientation(int, double) {}
void ViewController::willAnimateSecondHalfOfRotationFromInterfaceOrientation(int, double) {}
void ViewController::didRotateFromInterfaceOrientation(int) {}
void ViewController::viewWillAppear(bool) {}
void ViewController::viewDidAppear(bool) {}
void ViewController::viewWillDisappear(bool) {}
void ViewController::viewDidDisappear(bool) {}
void ViewController::didReceiveMemoryWarning() {}
void ViewController::touchesBegan(const Touch &) {}
void ViewController::touchesMoved(const Touch &) {}
void ViewController::touchesEnded(const Touch &) {}
void ViewController::loadView() {}
void ViewController::viewDidLoad() {}

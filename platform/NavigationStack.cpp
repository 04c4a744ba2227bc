#include "NavigationStack.h"
#include "NavigationBar.h"
#include "TransitionOverlay.h"

#include <QAction>
#include <QEvent>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QWidget>

#include <utility>

namespace {

constexpr int SlideMs = 300;
constexpr int BarSlideMs = 200;
constexpr double RotationSeconds = 0.4;

QPropertyAnimation *slide(QWidget *view, QPoint from, QPoint to, int ms)
{
    auto *animation = new QPropertyAnimation(view, "pos");
    animation->setDuration(ms);
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->setEasingCurve(QEasingCurve::InOutCubic);
    view->move(from);
    return animation;
}

} // namespace

NavigationStack::NavigationStack(ViewController *root, QObject *parent) : ViewController(parent)
{
    if (root)
        pushViewController(root, false);
}

// The screens outlive the stack: they forget it and take their views back out of it.
NavigationStack::~NavigationStack()
{
    delete m_transition.data();
    QList<QPointer<ViewController>> screens = m_stack;
    screens.append(m_modal);
    for (const QPointer<ViewController> &screen : std::as_const(screens)) {
        if (screen) {
            disconnect(screen, nullptr, this, nullptr);
            detach(screen);
        }
    }
}

void NavigationStack::loadView()
{
    auto *root = new QWidget;
    // Screens whose views paint no background of their own show the window colour.
    root->setAutoFillBackground(true);
    setView(root);

    m_content = new QWidget(root);
    m_bar = new NavigationBar(root);
    m_bar->setVisible(!m_barHidden);
    connect(m_bar, &NavigationBar::backPressed, this, &NavigationStack::goBack);
    connect(m_bar, &NavigationBar::barStyleChanged, this, &NavigationStack::layoutContent);
    root->installEventFilter(this);

    if (ViewController *top = topViewController()) {
        attach(top);
        top->view()->show();
    }
    updateNavigationBar();
    layoutContent();
}

NavigationBar *NavigationStack::navigationBar()
{
    view();
    return m_bar;
}

ViewController *NavigationStack::topViewController() const
{
    for (int i = m_stack.size() - 1; i >= 0; --i) {
        if (m_stack[i])
            return m_stack[i];
    }
    return nullptr;
}

QList<ViewController *> NavigationStack::viewControllers() const
{
    QList<ViewController *> screens;
    for (const QPointer<ViewController> &screen : m_stack) {
        if (screen)
            screens.append(screen);
    }
    return screens;
}

ViewController *NavigationStack::visibleController() const
{
    return m_modal ? m_modal.data() : topViewController();
}

bool NavigationStack::isOnScreen() const
{
    return isViewLoaded() && m_view->isVisible();
}

QRect NavigationStack::contentRect() const
{
    const QRect all = m_view->rect();
    if (m_barHidden || m_bar->isTranslucent())
        return all;
    return all.adjusted(0, NavigationBar::heightFor(all.size()), 0, 0);
}

void NavigationStack::layoutContent()
{
    if (!isViewLoaded())
        return;
    m_content->setGeometry(contentRect());
    m_bar->resize(m_view->width(), NavigationBar::heightFor(m_view->size()));
    if (!m_barSlide)
        m_bar->move(0, 0);
    m_bar->raise();
    for (const QPointer<ViewController> &screen : std::as_const(m_stack)) {
        if (screen && screen->isViewLoaded() && screen->m_view->parentWidget() == m_content)
            screen->m_view->setGeometry(m_content->rect());
    }
    if (m_modal && m_modal->isViewLoaded()) {
        m_modal->m_view->setGeometry(m_view->rect());
        m_modal->m_view->raise();
    }
}

void NavigationStack::updateNavigationBar()
{
    if (m_bar == nullptr)
        return;
    const QList<ViewController *> screens = viewControllers();
    if (screens.isEmpty()) {
        m_bar->showItem(NavigationItem(), QString());
        return;
    }
    QString backTitle;
    if (screens.size() > 1) {
        ViewController *below = screens[screens.size() - 2];
        const QAction *back = below->navigationItem().backBarButtonItem;
        backTitle = back ? back->text() : below->title();
        if (backTitle.isEmpty())
            backTitle = tr("Back");
    }
    m_bar->showItem(screens.last()->navigationItem(), backTitle);
}

void NavigationStack::attach(ViewController *controller)
{
    QWidget *view = controller->view();
    QWidget *parent = controller == m_modal ? m_view.data() : m_content;
    if (view->parentWidget() != parent)
        view->setParent(parent);
    view->setGeometry(parent->rect());
}

void NavigationStack::detach(ViewController *controller)
{
    controller->m_navigationController = nullptr;
    controller->m_parentViewController = nullptr;
    if (controller->isViewLoaded() && isViewLoaded() && m_view->isAncestorOf(controller->m_view)) {
        controller->m_view->hide();
        controller->m_view->setParent(nullptr);
    }
}

void NavigationStack::pushViewController(ViewController *controller, bool animated)
{
    if (controller == nullptr || controller == this)
        return;
    // A screen still sliding out after a pop is let go first, so it can come straight back.
    finishTransition();
    if (controller == m_modal || controller->m_navigationController ||
        controller->m_parentViewController)
        return;
    ViewController *old = topViewController();
    captureBefore(old);
    controller->m_navigationController = this;
    controller->m_parentViewController = this;
    m_stack.append(controller);
    connect(controller, &ViewController::navigationItemDidChange, this,
            &NavigationStack::updateNavigationBar);
    connect(controller, &QObject::destroyed, this, &NavigationStack::controllerDestroyed);
    if (!isViewLoaded())
        return; // shown when the stack's view is made
    attach(controller);
    updateNavigationBar();
    transition(controller, old, animated, Slide::Push, {});
}

ViewController *NavigationStack::popViewControllerAnimated(bool animated)
{
    return popTo(viewControllers().size() - 2, animated);
}

bool NavigationStack::goBack()
{
    const ViewController *top = topViewController();
    return top != nullptr && top->mayGoBack() && popViewControllerAnimated(true) != nullptr;
}

void NavigationStack::popToRootViewControllerAnimated(bool animated)
{
    popTo(0, animated);
}

// Pops every screen above `index`; only the top one is seen going.
ViewController *NavigationStack::popTo(int index, bool animated)
{
    finishTransition();
    QList<ViewController *> screens = viewControllers();
    if (index < 0 || index >= screens.size() - 1)
        return nullptr;
    ViewController *gone = screens.takeLast();
    ViewController *shown = screens[index];
    captureBefore(gone);
    for (ViewController *screen : screens.mid(index + 1)) {
        disconnect(screen, nullptr, this, nullptr);
        detach(screen);
    }
    disconnect(gone, nullptr, this, nullptr);
    m_stack.clear();
    for (ViewController *screen : screens.mid(0, index + 1))
        m_stack.append(screen);
    if (!isViewLoaded()) {
        detach(gone);
        return gone;
    }
    attach(shown);
    updateNavigationBar();
    QPointer<ViewController> popped = gone;
    transition(shown, gone, animated, Slide::Pop, [this, popped] {
        if (popped)
            detach(popped);
    });
    return gone;
}

void NavigationStack::presentModalViewController(ViewController *controller, bool animated)
{
    if (controller == nullptr || controller == this)
        return;
    // A screen still sliding out after a dismiss is let go first, so it can come straight back.
    finishTransition();
    if (m_modal || controller->m_navigationController || controller->m_parentViewController)
        return;
    view();
    m_modal = controller;
    controller->m_parentViewController = this;
    connect(controller, &QObject::destroyed, this, &NavigationStack::controllerDestroyed);
    attach(controller);
    transition(controller, topViewController(), animated, Slide::Present, {});
}

void NavigationStack::dismissModalViewControllerAnimated(bool animated)
{
    finishTransition();
    if (!m_modal)
        return;
    QPointer<ViewController> gone = m_modal;
    m_modal = nullptr;
    disconnect(gone, nullptr, this, nullptr);
    ViewController *shown = topViewController();
    if (shown)
        attach(shown);
    transition(shown, gone, animated, Slide::Dismiss, [this, gone] {
        if (gone)
            detach(gone);
    });
}

// Runs the appearance hooks around a slide of `incoming` in and `outgoing` out, or at once.
// Either may be null (an empty stack). Screens hear them only while the stack is on screen.
void NavigationStack::transition(ViewController *incoming, ViewController *outgoing, bool animated,
                                 Slide kind, std::function<void()> done)
{
    const bool hooks = isOnScreen();
    animated = animated && hooks;
    const QImage barBefore = std::exchange(m_barBefore, QImage());
    const QRect outgoingBefore = std::exchange(m_outgoingBefore, QRect());
    QPointer<ViewController> in = incoming, out = outgoing;
    if (hooks) {
        if (in)
            in->viewWillAppear(animated);
        if (out)
            out->viewWillDisappear(animated);
    }
    QWidget *inView = in ? in->view() : nullptr;
    QWidget *outView = out && out->isViewLoaded() ? out->m_view.data() : nullptr;
    // The bar covers the screens; a modal screen, coming or going, covers the bar.
    m_bar->raise();
    if (inView) {
        inView->show();
        if (kind == Slide::Push || kind == Slide::Present)
            inView->raise();
    }
    if (outView && (kind == Slide::Pop || kind == Slide::Dismiss))
        outView->raise();
    if (m_modal && m_modal->isViewLoaded())
        m_modal->m_view->raise();

    auto finish = [this, in, out, hooks, animated, done = std::move(done)] {
        m_transition = nullptr;
        if (in && in->isViewLoaded())
            in->m_view->move(0, 0);
        if (out && out->isViewLoaded())
            out->m_view->hide();
        if (done)
            done();
        if (hooks) {
            if (in)
                in->viewDidAppear(animated);
            if (out)
                out->viewDidDisappear(animated);
        }
    };
    if (!animated) {
        finish();
        return;
    }

    const int w = m_content->width(), h = m_view->height();
    auto *group = new QParallelAnimationGroup(this);
    QPointer<QObject> barOverlay;
    switch (kind) {
    case Slide::Push:
    case Slide::Pop: {
        const int side = kind == Slide::Push ? w : -w;
        if (inView)
            group->addAnimation(slide(inView, {side, 0}, {0, 0}, SlideMs));
        if (outView) {
            // Where it was, though the new screen's bar style may have moved the content.
            QPoint from(0, 0);
            if (!outgoingBefore.isNull()) {
                from = m_content->mapFrom(m_view, outgoingBefore.topLeft());
                outView->resize(outgoingBefore.size());
            }
            group->addAnimation(slide(outView, from, from - QPoint(side, 0), SlideMs));
        }
        // The old bar slides out with the old screen, the new one in with the new.
        if (!barBefore.isNull() && m_bar->isVisible()) {
            if (QPropertyAnimation *bar = TransitionOverlay::start(
                    m_bar, TransitionOverlay::Kind::Push,
                    kind == Slide::Push ? TransitionOverlay::Side::Right
                                        : TransitionOverlay::Side::Left,
                    barBefore, TransitionOverlay::snapshot(m_bar), SlideMs / 1000.0,
                    QEasingCurve::InOutCubic)) {
                barOverlay = bar->targetObject();
                group->addAnimation(bar);
            }
        }
        break;
    }
    case Slide::Present:
        group->addAnimation(slide(inView, {0, h}, {0, 0}, SlideMs));
        break;
    case Slide::Dismiss:
        if (outView)
            group->addAnimation(slide(outView, {0, 0}, {0, h}, SlideMs));
        break;
    }
    connect(group, &QAbstractAnimation::finished, this, [this, group, barOverlay, finish] {
        group->deleteLater();
        delete barOverlay.data();
        finish();
        layoutContent();
    });
    m_transition = group;
    group->start();
}

void NavigationStack::captureBefore(ViewController *outgoing)
{
    m_barBefore = QImage();
    m_outgoingBefore = QRect();
    if (!isOnScreen())
        return;
    if (m_bar->isVisible())
        m_barBefore = TransitionOverlay::snapshot(m_bar);
    if (outgoing && outgoing->isViewLoaded() && outgoing->m_view->parentWidget() == m_content)
        m_outgoingBefore = QRect(outgoing->m_view->mapTo(m_view, QPoint(0, 0)),
                                 outgoing->m_view->size());
}

void NavigationStack::finishTransition()
{
    if (m_transition && m_transition->state() == QAbstractAnimation::Running)
        m_transition->setCurrentTime(m_transition->totalDuration());
}

// A screen deleted while on the stack leaves it; the one below (or the stack) is shown.
void NavigationStack::controllerDestroyed()
{
    m_stack.removeAll(QPointer<ViewController>());
    if (!isViewLoaded())
        return;
    if (ViewController *top = topViewController()) {
        attach(top);
        top->m_view->move(0, 0);
        top->m_view->show();
    }
    updateNavigationBar();
}

bool NavigationStack::isNavigationBarHidden() const
{
    return m_barHidden;
}

void NavigationStack::setNavigationBarHidden(bool hidden, bool animated)
{
    if (hidden == m_barHidden)
        return;
    m_barHidden = hidden;
    if (!isViewLoaded())
        return;
    delete m_barSlide.data();
    layoutContent();
    if (!animated || !isOnScreen()) {
        m_bar->setVisible(!hidden);
        return;
    }
    m_bar->show();
    const QPoint shown(0, 0), away(0, -m_bar->height());
    auto *animation =
        hidden ? slide(m_bar, shown, away, BarSlideMs) : slide(m_bar, away, shown, BarSlideMs);
    animation->setParent(this);
    connect(animation, &QAbstractAnimation::finished, this, [this, animation] {
        animation->deleteLater();
        m_bar->move(0, 0);
        m_bar->setVisible(!m_barHidden);
    });
    m_barSlide = animation;
    animation->start();
}

bool NavigationStack::shouldAutorotateToInterfaceOrientation(int orientation)
{
    ViewController *screen = visibleController();
    return screen ? screen->shouldAutorotateToInterfaceOrientation(orientation)
                  : ViewController::shouldAutorotateToInterfaceOrientation(orientation);
}

// Crossing between taller-than-wide and wider-than-tall turns the screen on show, if it agrees.
void NavigationStack::rotateIfTurned()
{
    const int now = m_view->width() > m_view->height() ? LandscapeRight : Portrait;
    if (now == m_orientation)
        return;
    ViewController *screen = visibleController();
    if (screen && !screen->shouldAutorotateToInterfaceOrientation(now))
        return;
    const int old = m_orientation;
    m_orientation = now;
    if (screen == nullptr)
        return;
    screen->willRotateToInterfaceOrientation(now, RotationSeconds);
    screen->willAnimateFirstHalfOfRotationToInterfaceOrientation(now, RotationSeconds / 2);
    screen->willAnimateSecondHalfOfRotationFromInterfaceOrientation(old, RotationSeconds / 2);
    screen->didRotateFromInterfaceOrientation(old);
}

bool NavigationStack::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_view)
        return false;
    switch (event->type()) {
    case QEvent::Resize:
        finishTransition();
        layoutContent();
        rotateIfTurned();
        break;
    case QEvent::Show:
    case QEvent::Hide:
        // The stack coming on or off screen is the visible screen appearing or going.
        if (!event->spontaneous()) {
            if (ViewController *screen = visibleController()) {
                if (event->type() == QEvent::Show) {
                    screen->viewWillAppear(false);
                    screen->viewDidAppear(false);
                } else {
                    screen->viewWillDisappear(false);
                    screen->viewDidDisappear(false);
                }
            }
        }
        break;
    default:
        break;
    }
    return false;
}

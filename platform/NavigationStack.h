#ifndef VELMORA_PLATFORM_NAVIGATIONSTACK_H
#define VELMORA_PLATFORM_NAVIGATIONSTACK_H

#include "ViewController.h"

#include <QImage>
#include <QList>
#include <QPointer>

#include <functional>

class NavigationBar;
class QAbstractAnimation;

// A stack of screens under a navigation bar: push slides the new screen in from the right,
// pop slides it back out; the bar shows the top screen's title and items and a back button
// named after the screen below. With bar style 2 (black translucent) the screens extend under
// the bar; with style 0 they start below it. A screen can also be presented modally over the
// whole stack (it slides up from the bottom) and dismissed.
//
// The stack follows its view's aspect: crossing from taller-than-wide to wider-than-tall (or
// back) asks the top screen whether it turns, and if so runs its rotation hooks in order.
// The stack does not own its screens; whoever made them keeps them.
class NavigationStack : public ViewController
{
    Q_OBJECT

public:
    explicit NavigationStack(ViewController *root = nullptr, QObject *parent = nullptr);
    ~NavigationStack() override;

    void pushViewController(ViewController *controller, bool animated);
    ViewController *popViewControllerAnimated(bool animated);
    void popToRootViewControllerAnimated(bool animated);
    // What the back button does: pops the top screen, animated, unless it refuses to go
    // (mayGoBack). False when nothing was popped.
    bool goBack();
    ViewController *topViewController() const;
    QList<ViewController *> viewControllers() const;

    void presentModalViewController(ViewController *controller, bool animated);
    void dismissModalViewControllerAnimated(bool animated);
    ViewController *modalViewController() const { return m_modal; }

    NavigationBar *navigationBar();
    bool isNavigationBarHidden() const;
    void setNavigationBarHidden(bool hidden, bool animated);

    bool shouldAutorotateToInterfaceOrientation(int orientation) override;

protected:
    void loadView() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Slide
    {
        Push,
        Pop,
        Present,
        Dismiss
    };

    void layoutContent();
    QRect contentRect() const;
    bool isOnScreen() const;
    ViewController *visibleController() const;
    void updateNavigationBar();
    // Loads the screen's view and puts it, hidden, into the content area.
    void attach(ViewController *controller);
    void detach(ViewController *controller);
    ViewController *popTo(int index, bool animated);
    void transition(ViewController *incoming, ViewController *outgoing, bool animated, Slide slide,
                    std::function<void()> done);
    // Jumps a running slide to its end, so the next change starts from a settled stack.
    void finishTransition();
    // Notes how the bar looks and where `outgoing` lies before a push or pop changes them, so
    // that the slide carries the change instead of showing it before it starts.
    void captureBefore(ViewController *outgoing);
    void controllerDestroyed();
    void rotateIfTurned();

    QList<QPointer<ViewController>> m_stack;
    QPointer<ViewController> m_modal;
    NavigationBar *m_bar = nullptr;
    QWidget *m_content = nullptr;
    QPointer<QAbstractAnimation> m_transition;
    QPointer<QAbstractAnimation> m_barSlide;
    QImage m_barBefore;
    QRect m_outgoingBefore; // in the stack's view
    bool m_barHidden = false;
    int m_orientation = Portrait;
};

#endif

#ifndef VELMORA_EDITOR_HOVERCONTROLLER_H
#define VELMORA_EDITOR_HOVERCONTROLLER_H

#include "AnimationBlock.h"
#include "NavigationStack.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QGraphicsOpacityEffect;
struct Notification;

// Runs the floating preview window: fades it (and the navigation bar and toolbar with it) in
// on every show, out by itself after a while without one, and toggles it a moment after a
// single tap on the preview unless a double tap follows. Posts "Hover Shown" and
// "Hover Hidden" with itself as sender. The window joins its container on the first show or
// hide. Shown means the window's alpha is exactly 1; once faded out it is hidden too.
class HoverController : public QObject
{
    Q_OBJECT

public:
    static constexpr double kTapInterval = 0.5;
    static constexpr double kHideInterval = 5.0;
    // From the container's bottom edge, and from its side edge in landscape.
    static constexpr double kMargin = 48.0;

    explicit HoverController(QObject *parent = nullptr);
    ~HoverController() override;

    QWidget *containerView() const { return m_containerView; }
    void setContainerView(QWidget *view) { m_containerView = view; }
    QWidget *hoverView() const { return m_hoverView; }
    void setHoverView(QWidget *view) { m_hoverView = view; }
    NavigationStack *navBar() const { return m_navBar; }
    void setNavBar(NavigationStack *navigation) { m_navBar = navigation; }
    QWidget *toolBar() const { return m_toolBar; }
    void setToolBar(QWidget *toolBar) { m_toolBar = toolBar; }
    QTimer *tapTimer() const { return m_tapTimer; }
    QTimer *hideTimer() const { return m_hideTimer; }
    bool lefthand() const { return m_lefthand; }
    void setLefthand(bool lefthand) { m_lefthand = lefthand; }
    bool anchorTop() const { return m_anchorTop; }
    void setAnchorTop(bool anchorTop) { m_anchorTop = anchorTop; }

    // The two waits, in seconds; shorter ones keep tests quick.
    void setTapInterval(double seconds) { m_tapInterval = seconds; }
    void setHideInterval(double seconds) { m_hideInterval = seconds; }

    void showHoverView(bool show);
    void tap(const Notification &notification);
    void doubleTap(const Notification &notification);
    void showTimerFired();
    void hideTimerFired();
    void relocate();

private:
    void fade(QWidget *view, double alpha, AnimationBlock::EndAction done = {});
    void fadeHover(double alpha);

    QPointer<QWidget> m_containerView;
    QPointer<QWidget> m_hoverView;
    QPointer<NavigationStack> m_navBar;
    QPointer<QWidget> m_toolBar;
    QPointer<QTimer> m_tapTimer;
    QPointer<QTimer> m_hideTimer;
    bool m_lefthand = false;
    bool m_anchorTop = false;
    double m_tapInterval = kTapInterval;
    double m_hideInterval = kHideInterval;
    // The effects the window's opaque content is drawn through while it fades.
    QList<QPointer<QGraphicsOpacityEffect>> m_lenses;
    quint64 m_fades = 0;
};

#endif

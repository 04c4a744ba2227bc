#ifndef VELMORA_PLATFORM_VIEW_H
#define VELMORA_PLATFORM_VIEW_H

#include <QPointF>
#include <QRectF>

class QWidget;

// The view properties that animate: alpha, frame and scale, plus the hierarchy calls the
// screens use. Every widget can be used as a view; its properties live beside it.
//
// A setter records the new value at once (a getter returns it straight away, as a model
// value); what the screen shows follows either at once or, while a ViewAnimation block is
// open, animated from the value on screen to the new one when the block is committed.
//
// - alpha 0.0..1.0 (clamped). A view whose alpha is 0 takes no touches: they go to the view
//   underneath, or to its parent.
// - frame: the view's rectangle in its parent's coordinates (QWidget::geometry, in reals).
// - scale: a transform that scales the view about its centre (1.0 = none); the frame keeps
//   the unscaled rectangle, the view is drawn over the scaled one.
// - hidden is not animated; a view transition or layer transition shows its change.
class View
{
public:
    View() = delete;

    static double alpha(const QWidget *view);
    static void setAlpha(QWidget *view, double alpha);

    static QRectF frame(const QWidget *view);
    static void setFrame(QWidget *view, const QRectF &frame);
    // (0, 0, width, height) of the frame.
    static QRectF bounds(const QWidget *view);
    static QPointF center(const QWidget *view);
    // Moves the frame so that its centre is `center`, keeping its size.
    static void setCenter(QWidget *view, const QPointF &center);

    static double scale(const QWidget *view);
    static void setScale(QWidget *view, double scale);

    static bool isHidden(const QWidget *view);
    static void setHidden(QWidget *view, bool hidden);

    // Touches on, or off for the view and everything in it (userInteractionEnabled).
    static bool isUserInteractionEnabled(const QWidget *view);
    static void setUserInteractionEnabled(QWidget *view, bool enabled);

    // Hierarchy: the parent, adding a child on top of its siblings, removal, bringing to front.
    static QWidget *superview(const QWidget *view);
    static void addSubview(QWidget *parent, QWidget *child);
    static void removeFromSuperview(QWidget *view);
    static void bringSubviewToFront(QWidget *parent, QWidget *child);

    // A rectangle in `from`'s coordinates expressed in `to`'s; null `to` means the window.
    static QRectF convertRect(const QRectF &rect, const QWidget *from, const QWidget *to);
};

#endif

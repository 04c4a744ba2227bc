#ifndef VELMORA_PLATFORM_TOUCH_H
#define VELMORA_PLATFORM_TOUCH_H

#include <QPointF>
#include <QPointer>
#include <QWidget>

class QMouseEvent;

// A finger on the screen, as the mouse plays it: a press begins a touch, moves move it, a
// release ends it; a double-click begins a touch with tap count 2 (and its release ends it
// with 2). The touch belongs to the view it began on (the deepest view under the press that
// takes touches), wherever it ends.
//
// Views read the touch in their mouse handlers and pass it on by ignoring the event: Qt then
// hands it to the parent views, and a ViewController sees, through its root view, every touch
// that nothing below consumed.
class Touch
{
public:
    enum class Phase
    {
        Began,
        Moved,
        Ended
    };

    // Starts following presses in the application, for tap counts and the views touches began
    // on. Idempotent; ImageView and ViewController call it, so screens need not.
    static void install();

    // The touch `event` stands for; `receiver` is the widget handling it.
    static Touch fromMouseEvent(const QMouseEvent *event, const QWidget *receiver);

    Phase phase() const { return m_phase; }
    int tapCount() const { return m_tapCount; }
    // The view the touch began on; may be null once that view is gone.
    QWidget *view() const { return m_view; }
    // Where the touch is, in `view`'s coordinates.
    QPointF locationInView(const QWidget *view) const;

    Touch(Phase phase, int tapCount, QWidget *view, QPointF globalPosition)
        : m_phase(phase), m_tapCount(tapCount), m_view(view), m_globalPosition(globalPosition)
    {
    }

private:
    Phase m_phase;
    int m_tapCount;
    QPointer<QWidget> m_view;
    QPointF m_globalPosition;
};

#endif

#ifndef VELMORA_EDITOR_PRESSANDHOLD_H
#define VELMORA_EDITOR_PRESSANDHOLD_H

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QTimer>

class QWidget;

// Press and hold on a view: the left button held kHoldDelay without moving past the tap
// distance, or a key held down (holdKey). The release that ends a hold belongs to the hold:
// it reaches neither the view nor the views above it, so it is never taken for a tap, a swipe
// or a double tap. A hold also ends when the application stops being the active one.
class PressAndHold : public QObject
{
    Q_OBJECT

public:
    static constexpr int kHoldDelay = 400; // milliseconds

    explicit PressAndHold(QWidget *view, QObject *parent = nullptr);

    bool isHeld() const { return m_key != kNone; }
    // Holds until `key` is released: for a key whose press has just been seen.
    void holdKey(int key);

signals:
    void held(bool down);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static constexpr int kNone = -1;
    static constexpr int kMouse = 0;

    void begin(int key);
    void end();

    QPointer<QWidget> m_view;
    QTimer m_timer;
    QPointF m_pressedAt;
    int m_key = kNone; // what holds: kMouse, a key, or nothing
};

#endif

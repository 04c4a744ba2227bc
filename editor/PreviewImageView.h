#ifndef VELMORA_EDITOR_PREVIEWIMAGEVIEW_H
#define VELMORA_EDITOR_PREVIEWIMAGEVIEW_H

#include "ImageView.h"

#include <QPointF>
#include <QString>

// The effect preview. A touch that ends on it is posted as "Single Tap", "Double Tap",
// "Swipe Left" or "Swipe Right" (sender: this view) and then passed on to the views above.
class PreviewImageView : public ImageView
{
    Q_OBJECT

public:
    // A swipe travels at least this far sideways and at most kSwipeMaxRise up or down.
    static constexpr double kSwipeMinTravel = 70.0;
    static constexpr double kSwipeMaxRise = 50.0;

    explicit PreviewImageView(QWidget *parent = nullptr);

    QPointF startTouchPosition() const { return m_startTouchPosition; }

    // The notification a touch from `start` to `end` with `tapCount` taps stands for. A
    // double tap is never a swipe; a distance that is not a number counts as a tap.
    static QString gesture(QPointF start, QPointF end, int tapCount);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPointF m_startTouchPosition;
};

#endif

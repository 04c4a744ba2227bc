#include "PreviewImageView.h"

#include "EditorNotifications.h"
#include "NotificationCenter.h"
#include "Touch.h"

#include <QMouseEvent>

#include <cmath>

PreviewImageView::PreviewImageView(QWidget *parent) : ImageView(parent) {}

QString PreviewImageView::gesture(QPointF start, QPointF end, int tapCount)
{
    if (tapCount == 2)
        return EditorNotifications::kDoubleTap;
    const double dx = std::fabs(start.x() - end.x());
    const double dy = std::fabs(start.y() - end.y());
    // Written so that NaN fails both tests and falls to a tap.
    if (!(dx >= kSwipeMinTravel) || !(dy <= kSwipeMaxRise))
        return EditorNotifications::kSingleTap;
    return start.x() < end.x() ? EditorNotifications::kSwipeRight : EditorNotifications::kSwipeLeft;
}

void PreviewImageView::mousePressEvent(QMouseEvent *event)
{
    m_startTouchPosition = Touch::fromMouseEvent(event, this).locationInView(this);
    ImageView::mousePressEvent(event);
}

void PreviewImageView::mouseReleaseEvent(QMouseEvent *event)
{
    const Touch touch = Touch::fromMouseEvent(event, this);
    if (touch.view() == this)
        NotificationCenter::defaultCenter().post(
            gesture(m_startTouchPosition, touch.locationInView(this), touch.tapCount()), this);
    ImageView::mouseReleaseEvent(event);
    // The controller above reads the same touch.
    event->ignore();
}

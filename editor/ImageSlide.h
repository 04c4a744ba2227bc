#ifndef VELMORA_EDITOR_IMAGESLIDE_H
#define VELMORA_EDITOR_IMAGESLIDE_H

#include "ImageView.h"

#include <QPointer>
#include <QRectF>

// A copy of an image view's picture that flies from that view to a rectangle, a point or
// another image view (which then receives the picture), and then leaves: hidden, empty and
// detached. A new slide started meanwhile takes the copy over.
class ImageSlide : public ImageView
{
    Q_OBJECT

public:
    explicit ImageSlide(QWidget *parent = nullptr);

    // `toRect` is in the coordinates of `view`'s parent.
    void slideFrom(ImageView *view, const QRectF &toRect);
    void slideFrom(ImageView *view, QPointF toPoint);
    void slideFrom(ImageView *view, ImageView *toView);
    void atEnd();

    ImageView *toView() const { return m_toView; }

private:
    QPointer<ImageView> m_toView;
    // Which slide is current, so that the end of one that was taken over does nothing.
    quint64 m_slide = 0;
};

#endif

#include "ImageSlide.h"

#include "AnimationBlock.h"
#include "View.h"

ImageSlide::ImageSlide(QWidget *parent) : ImageView(parent)
{
    View::setHidden(this, true);
}

void ImageSlide::slideFrom(ImageView *view, const QRectF &toRect)
{
    if (!view)
        return;
    QWidget *parent = View::superview(view);
    View::removeFromSuperview(this);
    View::setHidden(this, true);
    setContentMode(view->contentMode());
    View::setFrame(this, View::frame(view));
    setImage(view->image());
    const quint64 slide = ++m_slide;
    if (!parent) {
        // Nowhere to fly over; the picture still reaches its target.
        atEnd();
        return;
    }
    View::addSubview(parent, this);
    View::bringSubviewToFront(parent, this);
    View::setHidden(this, false);

    AnimationBlock *animation = AnimationBlock::animation();
    const bool started = animation->start(this, true, 0, [this, slide] {
        if (slide == m_slide)
            atEnd();
    });
    View::setFrame(this, toRect);
    animation->end(this, started);
    // Without an animation no end action comes; finish now rather than stay on screen.
    if (!started)
        atEnd();
}

void ImageSlide::slideFrom(ImageView *view, QPointF toPoint)
{
    m_toView = nullptr;
    slideFrom(view, QRectF(toPoint, QSizeF(0, 0)));
}

void ImageSlide::slideFrom(ImageView *view, ImageView *toView)
{
    if (!view || !toView)
        return;
    m_toView = toView;
    slideFrom(view, View::convertRect(View::bounds(toView), toView, View::superview(view)));
}

void ImageSlide::atEnd()
{
    if (m_toView) {
        m_toView->setImage(image());
        m_toView = nullptr;
    }
    View::setHidden(this, true);
    setImage(Picture());
    View::removeFromSuperview(this);
}

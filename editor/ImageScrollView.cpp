#include "ImageScrollView.h"

#include "EditorNotifications.h"
#include "ImageResizer.h"
#include "ImageView.h"
#include "Log.h"
#include "NotificationCenter.h"
#include "Touch.h"
#include "View.h"

#include <QMouseEvent>

#include <algorithm>

namespace {

// Truncated toward zero to a multiple of 4, but never below 4 so that a very long, thin
// picture still shows as a sliver instead of vanishing.
unsigned multipleOfFour(float side)
{
    const unsigned truncated = static_cast<unsigned>(side);
    return std::max(4u, truncated - truncated % 4);
}

} // namespace

ImageScrollView::ImageScrollView(QWidget *parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignCenter);
    setWidgetResizable(false);
}

Picture ImageScrollView::image() const
{
    return m_imageContent ? m_imageContent->image() : Picture();
}

void ImageScrollView::setImage(const Picture &image)
{
    const Picture shown = resizeIfNecessary(image);
    if (m_imageContent)
        m_imageContent->setImage(shown);
    if (shown.isNull() && !m_imageContent) {
        relocate();
        return;
    }
    if (!m_imageContent)
        m_imageContent = new ImageView(shown);
    if (widget() != m_imageContent)
        setWidget(m_imageContent);
    relocate();
}

Picture ImageScrollView::resizeIfNecessary(const Picture &image)
{
    if (image.isNull())
        return image;
    // Single precision on purpose: 2048 / (2048 / 480) lands just under 480.
    const float w = static_cast<float>(image.size().width());
    const float h = static_cast<float>(image.size().height());
    if (w <= kLargestUnreduced && h <= kLargestUnreduced)
        return image;
    const float side = static_cast<float>(kReducedSide);
    const float s = std::max(w / side, h / side);
    // The resizer draws the stored grid, so turn it upright first to keep a sideways photo
    // from being squeezed into the upright box.
    return ImageResizer::resizeImage(image.upright(), multipleOfFour(w / s), multipleOfFour(h / s),
                                     true, false);
}

void ImageScrollView::relocate()
{
    const QSizeF picture = image().size();
    if (picture.isEmpty()) {
        m_displaySize = QSizeF(0, 0);
        return;
    }
    const QRectF bounds = View::bounds(this);
    m_displaySize = bounds.size();
    if (picture.width() / picture.height() > bounds.width() / bounds.height())
        m_displaySize.setHeight(bounds.width() * picture.height() / picture.width());
    else
        m_displaySize.setWidth(bounds.height() * picture.width() / picture.height());
    const QPointF origin((bounds.width() - m_displaySize.width()) / 2,
                         (bounds.height() - m_displaySize.height()) / 2);
    View::setFrame(m_imageContent, QRectF(origin, m_displaySize));
}

QWidget *ImageScrollView::viewForZoomingInScrollView(QScrollArea *)
{
    return m_imageContent;
}

void ImageScrollView::scrollViewDidEndZooming(QScrollArea *, QWidget *view, double atScale)
{
    if (m_imageContent)
        m_imageContent->resize(m_displaySize.toSize());
    const QSizeF content = widget() ? QSizeF(widget()->size()) : QSizeF();
    const QSizeF frame = view ? View::frame(view).size() : QSizeF();
    qCInfo(velmoraLog, "scale: %f", atScale);
    qCInfo(velmoraLog, "content width: %f", content.width());
    qCInfo(velmoraLog, "content height: %f", content.height());
    qCInfo(velmoraLog, "frame width %f", frame.width());
    qCInfo(velmoraLog, "frame height %f", frame.height());
}

void ImageScrollView::mouseReleaseEvent(QMouseEvent *event)
{
    if (Touch::fromMouseEvent(event, this).tapCount() == 1)
        NotificationCenter::defaultCenter().post(EditorNotifications::kSingleTap, this);
    QScrollArea::mouseReleaseEvent(event);
    event->ignore();
}

void ImageScrollView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    relocate();
}

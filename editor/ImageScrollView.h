#ifndef VELMORA_EDITOR_IMAGESCROLLVIEW_H
#define VELMORA_EDITOR_IMAGESCROLLVIEW_H

#include "Picture.h"

#include <QPointer>
#include <QScrollArea>
#include <QSizeF>

class ImageView;

// Shows one picture fitted into its bounds and centred, reducing pictures too large to show
// as they are; a single tap is posted as "Single Tap" (sender: this view) and passed on.
// Zoom stays at 1 and scrolling is off.
class ImageScrollView : public QScrollArea
{
    Q_OBJECT

public:
    // Larger than this in either direction is reduced to kReducedSide on the longer side.
    static constexpr int kLargestUnreduced = 1024;
    static constexpr int kReducedSide = 480;

    explicit ImageScrollView(QWidget *parent = nullptr);

    // Null while no picture has been shown.
    Picture image() const;
    void setImage(const Picture &image);
    // The picture itself, or an upright copy reduced to sides that are multiples of 4.
    static Picture resizeIfNecessary(const Picture &image);
    void relocate();

    ImageView *imageContent() const { return m_imageContent; }
    QSizeF displaySize() const { return m_displaySize; }

    QWidget *viewForZoomingInScrollView(QScrollArea *scrollView);
    void scrollViewDidEndZooming(QScrollArea *scrollView, QWidget *view, double atScale);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QPointer<ImageView> m_imageContent;
    QSizeF m_displaySize;
};

#endif

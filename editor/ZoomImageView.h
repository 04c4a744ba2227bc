#ifndef VELMORA_EDITOR_ZOOMIMAGEVIEW_H
#define VELMORA_EDITOR_ZOOMIMAGEVIEW_H

#include "ImageView.h"

#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QString>

class DisplayCache;

// The working picture's view. Fitted, it shows the display picture it is given (image(), made
// for its device pixels). Zoomed, from the fit up to four device pixels per picture pixel, it
// shows the working picture's own pixels: only the part in view is taken from the cache,
// reduced at the view's device pixels below one to one and drawn as crisp blocks of device
// pixels above it. Ctrl + wheel zooms about the cursor; while zoomed a drag pans, kept within
// the picture's edges, and is not passed on as a touch.
//
// It can show a stand-in in place of the working picture (the photo as taken, while the user
// compares), with a small badge, at the same zoom.
class ZoomImageView : public ImageView
{
    Q_OBJECT

public:
    static constexpr qreal kMaxZoom = 4.0;
    // One wheel notch or key press.
    static constexpr qreal kZoomStep = 1.25;

    explicit ZoomImageView(QWidget *parent = nullptr);

    // Where the working picture and the zoomed pixels come from.
    void setDisplayCache(DisplayCache *cache);

    // Device pixels per picture pixel: 1 shows the picture pixel for pixel on the screen.
    qreal zoom() const;
    bool isFitted() const { return m_zoom == 0; }
    // The picture point, in picture pixels, at a point of the view.
    QPointF pictureAt(QPointF point) const;

    // Zooms keeping the picture point under `point` (view coordinates) in place; at or below
    // the fit, fits.
    void zoomTo(qreal zoom, QPointF point);
    // A step in or out about the view's centre, landing on one to one when it passes it.
    void zoomIn();
    void zoomOut();
    void zoomToActualPixels();
    void fit();

    // Shows `picture` in place of the working picture, marked with `badge`; a null picture
    // shows the working picture again.
    void setStandIn(const Picture &picture, const QString &badge);
    bool hasStandIn() const { return !m_standIn.isNull(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void workingChanged();
    const Picture &shown() const;
    QSizeF deviceSize() const;
    QPointF fromCentre(QPointF point) const;
    qreal fitZoom() const;
    void settle();
    QRectF paintRegion(QPainter &painter);
    void paintBadge(QPainter &painter, const QRectF &picture);

    QPointer<DisplayCache> m_cache;
    Picture m_working;    // upright
    Picture m_standIn;    // upright
    QString m_badge;
    qreal m_zoom = 0;     // 0: fitted
    QPointF m_centre;     // the picture point at the view's centre

    // The part last made, kept while the view does not move.
    qint64 m_regionKey = 0;
    QRect m_regionSource;
    Picture m_region;

    QPointF m_pressedAt;
    QPointF m_centreAtPress;
    bool m_pressed = false;
    bool m_panning = false;
};

#endif

#ifndef VELMORA_PLATFORM_TRANSITIONOVERLAY_H
#define VELMORA_PLATFORM_TRANSITIONOVERLAY_H

#include <QImage>
#include <QPointer>
#include <QWidget>

class QEasingCurve;
class QPropertyAnimation;

// Draws a transition between two snapshots of a view over the view's place in its parent,
// as a sibling just above it that lets touches through. The view itself is kept from
// showing until the overlay goes; the overlay goes when its progress animation stops.
class TransitionOverlay : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(qreal progress READ progress WRITE setProgress)

public:
    enum class Kind
    {
        Fade,
        Push,
        Reveal,
        MoveIn,
        CurlUp,
        CurlDown,
        FlipFromRight,
        FlipFromLeft
    };
    // The side new content comes from (or, for reveal, the side opposite the one the old
    // content leaves by).
    enum class Side
    {
        Right,
        Left,
        Top,
        Bottom
    };

    // How `view` looks now, without its own alpha; transparent when it is hidden.
    static QImage snapshot(QWidget *view);
    // A transparent picture of the view's size.
    static QImage emptySnapshot(const QWidget *view);

    // Puts an overlay over `view`, replacing one still running there. Returns the animation of
    // its progress, for the caller to run in its group; null (nothing happens) for a view
    // without a parent or a transition of no duration.
    static QPropertyAnimation *start(QWidget *view, Kind kind, Side side, const QImage &before,
                                     const QImage &after, double seconds,
                                     const QEasingCurve &curve);

    ~TransitionOverlay() override;

    qreal progress() const { return m_progress; }
    void setProgress(qreal progress);

    // One frame, `progress` 0 (all before) to 1 (all after), over `rect`.
    static void paintFrame(QPainter &painter, const QRectF &rect, Kind kind, Side side,
                           const QImage &before, const QImage &after, qreal progress);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TransitionOverlay(QWidget *view, Kind kind, Side side, const QImage &before,
                      const QImage &after);

    QPointer<QWidget> m_view;
    Kind m_kind;
    Side m_side;
    QImage m_before;
    QImage m_after;
    qreal m_opacity = 1.0;
    qreal m_progress = 0.0;
};

#endif

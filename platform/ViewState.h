#ifndef VELMORA_PLATFORM_VIEWSTATE_H
#define VELMORA_PLATFORM_VIEWSTATE_H

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QRectF>

class QAbstractAnimation;
class QGraphicsOpacityEffect;
class QWidget;

// What View keeps beside a widget: the model values its getters return and the values on
// screen, which the animations drive through the presented* properties. A child object of
// the widget, so it goes with it.
class ViewState : public QObject
{
    Q_OBJECT
    Q_PROPERTY(qreal presentedAlpha READ presentedAlpha WRITE setPresentedAlpha)
    Q_PROPERTY(QRectF presentedFrame READ presentedFrame WRITE setPresentedFrame)
    Q_PROPERTY(qreal presentedScale READ presentedScale WRITE setPresentedScale)

public:
    // The state of `view`, made on first use.
    static ViewState *of(QWidget *view);
    // Null for a widget View has never touched.
    static ViewState *find(const QWidget *view);

    QWidget *view() const { return m_view; }

    double alpha() const { return m_alpha; }
    void setAlpha(double alpha);
    // The unscaled frame. Adopts the widget's geometry when something else moved it.
    QRectF frame();
    void setFrame(const QRectF &frame) { m_frame = frame; }
    double scale() const { return m_scale; }
    void setScale(double scale) { m_scale = scale; }
    bool isUserInteractionEnabled() const { return m_interaction; }
    void setUserInteractionEnabled(bool enabled);

    qreal presentedAlpha() const { return m_presentedAlpha; }
    void setPresentedAlpha(qreal alpha);
    QRectF presentedFrame() const { return m_presentedFrame; }
    void setPresentedFrame(const QRectF &frame);
    qreal presentedScale() const { return m_presentedScale; }
    void setPresentedScale(qreal scale);

    // Keeps the widget from showing (effective opacity 0) while a transition is drawn over
    // it; holds nest.
    void hold();
    void release();
    bool isHeld() const { return m_holds > 0; }

    // The running animation of one presented property, so a new one can replace it.
    QPointer<QAbstractAnimation> &runningAnimation(const QByteArray &property);
    bool isAnimating() const;
    QPointer<QAbstractAnimation> transition;

    // The picture of the view that its next layer transition starts from.
    QImage captured;
    bool hasCapture = false;

private:
    explicit ViewState(QWidget *view);

    void applyOpacity();
    void applyGeometry();
    void applyTouches();

    QWidget *m_view;
    double m_alpha = 1.0;
    QRectF m_frame;
    double m_scale = 1.0;
    bool m_interaction = true;
    qreal m_presentedAlpha = 1.0;
    QRectF m_presentedFrame;
    qreal m_presentedScale = 1.0;
    // The geometry last given to the widget: a different one means a layout or a direct
    // setGeometry moved it, and the model follows.
    QRect m_applied;
    QPointer<QGraphicsOpacityEffect> m_effect;
    int m_holds = 0;
    // Whether WA_TransparentForMouseEvents is ours to clear (someone else may have set it).
    bool m_touchesOffByUs = false;
    QPointer<QAbstractAnimation> m_alphaAnimation, m_frameAnimation, m_scaleAnimation;
};

#endif

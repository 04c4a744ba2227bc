#ifndef VELMORA_PLATFORM_ACTIVITYINDICATORVIEW_H
#define VELMORA_PLATFORM_ACTIVITYINDICATORVIEW_H

#include <QColor>
#include <QWidget>

class QTimer;

// A spinner: twelve white rounded bars around a centre, the bright one going round while it
// animates. Its timer runs only while animating; by default it hides itself when stopped.
class ActivityIndicatorView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Bars = 12;

    explicit ActivityIndicatorView(QWidget *parent = nullptr);

    void startAnimating();
    void stopAnimating();
    bool isAnimating() const;

    bool hidesWhenStopped() const { return m_hidesWhenStopped; }
    void setHidesWhenStopped(bool hides);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);

    // Which bar is the bright one, 0 to Bars - 1.
    int phase() const { return m_phase; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *m_timer;
    int m_phase = 0;
    bool m_hidesWhenStopped = true;
    QColor m_color = Qt::white;
};

#endif

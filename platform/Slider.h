#ifndef VELMORA_PLATFORM_SLIDER_H
#define VELMORA_PLATFORM_SLIDER_H

#include <QWidget>

class QSlider;

// A horizontal slider over a float range. The value set is the value read, exactly; the thumb
// moves in thousandths of a unit. A continuous slider sends valueChanged while the thumb is
// dragged; otherwise only when it is let go (keyboard and page steps send at once either way).
// Setting the value from code sends nothing.
class Slider : public QWidget
{
    Q_OBJECT

public:
    explicit Slider(QWidget *parent = nullptr);

    float minimumValue() const { return m_minimum; }
    // Raises the maximum to the new minimum if need be, and keeps the value inside.
    void setMinimumValue(float minimum);
    float maximumValue() const { return m_maximum; }
    void setMaximumValue(float maximum);

    float value() const { return m_value; }
    // Clamped to the range; not a number counts as the minimum.
    void setValue(float value);

    bool isContinuous() const { return m_continuous; }
    void setContinuous(bool continuous);

    QSize sizeHint() const override;

signals:
    void valueChanged();

private:
    void syncThumb();
    float valueAt(int position) const;

    QSlider *m_slider;
    float m_minimum = 0.0f;
    float m_maximum = 1.0f;
    float m_value = 0.0f;
    bool m_continuous = true;
    bool m_syncing = false;
};

#endif

#ifndef VELMORA_PLATFORM_SWITCH_H
#define VELMORA_PLATFORM_SWITCH_H

#include <QAbstractButton>

class QVariantAnimation;

// An on/off switch: a rounded track with a knob that slides to the right when on. A click
// flips it and emits valueChanged; setOn changes it quietly, as the phone's setOn: did.
class Switch : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(bool on READ isOn WRITE setOn)

public:
    explicit Switch(QWidget *parent = nullptr);

    bool isOn() const { return isChecked(); }
    void setOn(bool on, bool animated = false);

    QSize sizeHint() const override;

signals:
    void valueChanged(bool on);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void slideTo(double position, bool animated);

    QVariantAnimation *m_slide = nullptr;
    double m_position = 0.0; // knob: 0 left (off) .. 1 right (on)
};

#endif

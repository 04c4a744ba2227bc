#include "Switch.h"

#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>

#include <algorithm>

namespace {

const QColor onColor(0x34, 0xc7, 0x59);
const QColor offColor(0xe5, 0xe5, 0xea);
const QColor borderColor(0xc7, 0xc7, 0xcc);

} // namespace

Switch::Switch(QWidget *parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::toggled, this,
            [this](bool on) { slideTo(on ? 1.0 : 0.0, isVisible()); });
    // Only the user's flip is a value change; setOn stays quiet.
    connect(this, &QAbstractButton::clicked, this, [this](bool on) { emit valueChanged(on); });
}

void Switch::setOn(bool on, bool animated)
{
    const QSignalBlocker quiet(this);
    setChecked(on);
    slideTo(on ? 1.0 : 0.0, animated && isVisible());
}

QSize Switch::sizeHint() const
{
    return {94, 27};
}

void Switch::slideTo(double position, bool animated)
{
    if (m_slide)
        m_slide->stop();
    if (!animated) {
        m_position = position;
        update();
        return;
    }
    if (!m_slide) {
        m_slide = new QVariantAnimation(this);
        m_slide->setDuration(150);
        m_slide->setEasingCurve(QEasingCurve::OutCubic);
        connect(m_slide, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
            m_position = value.toDouble();
            update();
        });
    }
    m_slide->setStartValue(m_position);
    m_slide->setEndValue(position);
    m_slide->start();
}

void Switch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // The track keeps a phone switch's proportions inside whatever size it is given.
    const qreal h = std::min<qreal>(height() - 2, width() / 1.6);
    const qreal w = std::min<qreal>(width() - 2, h * 1.65);
    const QRectF track(width() - w - 1, (height() - h) / 2, w, h);
    const qreal radius = h / 2;

    QColor fill = onColor;
    fill.setAlphaF(m_position);
    painter.setPen(QPen(m_position > 0.5 ? onColor : borderColor, 1));
    painter.setBrush(offColor);
    painter.drawRoundedRect(track, radius, radius);
    painter.setBrush(fill);
    painter.drawRoundedRect(track, radius, radius);

    const qreal knob = h - 4;
    const qreal x = track.left() + 2 + m_position * (w - knob - 4);
    const QRectF knobRect(x, track.top() + 2, knob, knob);
    painter.setPen(QPen(QColor(0, 0, 0, 40), 1));
    painter.setBrush(isEnabled() ? Qt::white : QColor(0xf2, 0xf2, 0xf2));
    painter.drawEllipse(knobRect);

    if (hasFocus()) {
        painter.setPen(QPen(palette().highlight(), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(track.adjusted(-1, -1, 1, 1), radius + 1, radius + 1);
    }
}

#include "Slider.h"

#include <QHBoxLayout>
#include <QSlider>

#include <algorithm>
#include <cmath>

namespace {

constexpr double StepsPerUnit = 1000.0;
constexpr int MaxSteps = 1000000;

const char *const Look =
    "QSlider::groove:horizontal { height: 8px; border-radius: 4px; background: #cfd4db;"
    " border: 1px solid #8d96a2; }"
    "QSlider::sub-page:horizontal { border-radius: 4px; border: 1px solid #2b55a6;"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #7eaaf0, stop:1 #2f63c8); }"
    "QSlider::handle:horizontal { width: 22px; margin: -8px 0; border-radius: 11px;"
    " border: 1px solid #8a8f96;"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #d6d9de); }"
    "QSlider::sub-page:horizontal:disabled { background: #aab0b8; border-color: #8d96a2; }";

} // namespace

Slider::Slider(QWidget *parent) : QWidget(parent), m_slider(new QSlider(Qt::Horizontal, this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_slider);
    m_slider->setStyleSheet(QString::fromLatin1(Look));
    setFocusProxy(m_slider);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    // The thumb's value: while dragging only with tracking (continuous), else on release.
    connect(m_slider, &QSlider::valueChanged, this, [this](int position) {
        if (m_syncing)
            return;
        m_value = valueAt(position);
        emit valueChanged();
    });
    // Without tracking the value still follows the thumb, silently, as it moves.
    connect(m_slider, &QSlider::sliderMoved, this, [this](int position) {
        if (!m_continuous)
            m_value = valueAt(position);
    });
    syncThumb();
}

QSize Slider::sizeHint() const
{
    return {200, qMax(30, m_slider->sizeHint().height())};
}

void Slider::setMinimumValue(float minimum)
{
    if (std::isnan(minimum))
        return;
    m_minimum = minimum;
    m_maximum = std::max(m_maximum, minimum);
    setValue(m_value);
}

void Slider::setMaximumValue(float maximum)
{
    if (std::isnan(maximum))
        return;
    m_maximum = maximum;
    m_minimum = std::min(m_minimum, maximum);
    setValue(m_value);
}

void Slider::setValue(float value)
{
    m_value = std::isnan(value) ? m_minimum : std::clamp(value, m_minimum, m_maximum);
    syncThumb();
}

void Slider::setContinuous(bool continuous)
{
    m_continuous = continuous;
    m_slider->setTracking(continuous);
}

float Slider::valueAt(int position) const
{
    const int steps = m_slider->maximum();
    if (steps <= 0)
        return m_minimum;
    if (position >= steps)
        return m_maximum;
    const double range = double(m_maximum) - double(m_minimum);
    return float(double(m_minimum) + range * position / steps);
}

// Puts the thumb where the value is, over a range of thousandths of a unit.
void Slider::syncThumb()
{
    const double range = double(m_maximum) - double(m_minimum);
    const int steps = int(std::min<double>(MaxSteps, std::ceil(range * StepsPerUnit)));
    const int position =
        steps > 0 ? int(std::lround((double(m_value) - m_minimum) / range * steps)) : 0;
    m_syncing = true;
    m_slider->setRange(0, steps);
    m_slider->setSingleStep(std::max(1, steps / 100));
    m_slider->setPageStep(std::max(1, steps / 10));
    m_slider->setValue(position);
    m_syncing = false;
}

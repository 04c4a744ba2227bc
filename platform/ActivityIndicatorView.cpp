#include "ActivityIndicatorView.h"

#include <QPainter>
#include <QTimer>

namespace {

// One turn a second.
constexpr int StepMs = 1000 / ActivityIndicatorView::Bars;

} // namespace

ActivityIndicatorView::ActivityIndicatorView(QWidget *parent)
    : QWidget(parent), m_timer(new QTimer(this))
{
    m_timer->setInterval(StepMs);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_phase = (m_phase + 1) % Bars;
        update();
    });
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

QSize ActivityIndicatorView::sizeHint() const
{
    return {37, 37};
}

void ActivityIndicatorView::startAnimating()
{
    if (!m_timer->isActive())
        m_timer->start();
    show();
}

void ActivityIndicatorView::stopAnimating()
{
    m_timer->stop();
    if (m_hidesWhenStopped)
        hide();
    update();
}

bool ActivityIndicatorView::isAnimating() const
{
    return m_timer->isActive();
}

void ActivityIndicatorView::setHidesWhenStopped(bool hides)
{
    m_hidesWhenStopped = hides;
    if (hides && !isAnimating())
        hide();
}

void ActivityIndicatorView::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void ActivityIndicatorView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(width(), height());
    const qreal outer = side / 2, inner = outer * 0.45, thickness = qMax<qreal>(2.0, side / 12);
    painter.translate(width() / 2.0, height() / 2.0);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < Bars; ++i) {
        // The bar at the phase is brightest; those behind it fade.
        const int behind = (m_phase - i + Bars) % Bars;
        QColor bar = m_color;
        bar.setAlphaF(isAnimating() ? 1.0 - 0.75 * behind / (Bars - 1) : 0.35);
        painter.save();
        painter.rotate(i * 360.0 / Bars);
        painter.setBrush(bar);
        painter.drawRoundedRect(QRectF(-thickness / 2, -outer, thickness, outer - inner),
                                thickness / 2, thickness / 2);
        painter.restore();
    }
}

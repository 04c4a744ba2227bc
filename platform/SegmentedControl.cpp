#include "SegmentedControl.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

namespace {

constexpr int Height = 30;
constexpr qreal Radius = 6;
constexpr int Padding = 12;
// How long a momentary segment pressed from the keyboard stays lit.
constexpr int FlashMs = 150;

} // namespace

SegmentedControl::SegmentedControl(QWidget *parent) : SegmentedControl(QStringList(), parent) {}

SegmentedControl::SegmentedControl(const QStringList &titles, QWidget *parent)
    : QWidget(parent), m_titles(titles)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

void SegmentedControl::setTitles(const QStringList &titles)
{
    m_titles = titles;
    if (m_selected >= numberOfSegments())
        m_selected = -1;
    m_current = qBound(0, m_current, qMax(0, numberOfSegments() - 1));
    updateGeometry();
    update();
}

void SegmentedControl::setTitle(const QString &title, int segment)
{
    if (segment < 0 || segment >= numberOfSegments())
        return;
    m_titles[segment] = title;
    updateGeometry();
    update();
}

void SegmentedControl::setSelectedSegmentIndex(int index)
{
    if (index < -1 || index >= numberOfSegments())
        return;
    m_selected = index;
    if (index >= 0)
        m_current = index;
    update();
}

void SegmentedControl::setMomentary(bool momentary)
{
    m_momentary = momentary;
    if (momentary && !m_held)
        m_selected = -1;
    update();
}

void SegmentedControl::setTintColor(const QColor &tint)
{
    m_tint = tint;
    update();
}

QSize SegmentedControl::sizeHint() const
{
    int widest = 0;
    for (const QString &title : m_titles)
        widest = qMax(widest, fontMetrics().horizontalAdvance(title));
    return {qMax(1, numberOfSegments()) * (widest + 2 * Padding), Height};
}

QSize SegmentedControl::minimumSizeHint() const
{
    return {qMax(1, numberOfSegments()) * 2 * Padding, Height};
}

QRectF SegmentedControl::segmentRect(int segment) const
{
    const qreal width = qreal(this->width() - 1) / qMax(1, numberOfSegments());
    return QRectF(0.5 + segment * width, 0.5, width, height() - 1);
}

int SegmentedControl::segmentAt(QPoint position) const
{
    if (!rect().contains(position) || numberOfSegments() == 0)
        return -1;
    return qBound(0, position.x() * numberOfSegments() / qMax(1, width()), numberOfSegments() - 1);
}

void SegmentedControl::press(int segment)
{
    if (segment < 0)
        return;
    m_current = segment;
    const bool changed = segment != m_selected;
    m_selected = segment;
    m_held = true;
    update();
    // A momentary control acts on every press; a lasting one only when the choice changes.
    if (changed || m_momentary)
        emit valueChanged();
}

void SegmentedControl::release()
{
    m_held = false;
    if (m_momentary)
        m_selected = -1;
    update();
}

void SegmentedControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_showFocus = false;
    press(segmentAt(event->position().toPoint()));
}

void SegmentedControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    release();
}

void SegmentedControl::focusInEvent(QFocusEvent *event)
{
    m_showFocus =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    QWidget::focusInEvent(event);
}

void SegmentedControl::keyPressEvent(QKeyEvent *event)
{
    const int count = numberOfSegments();
    m_showFocus = true;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        if (count == 0)
            return;
        const int step = event->key() == Qt::Key_Left ? -1 : 1;
        const int next = qBound(0, m_current + step, count - 1);
        if (m_momentary) {
            m_current = next;
            update();
        } else {
            press(next);
            release();
        }
        return;
    }
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (count == 0)
            return;
        press(m_current);
        if (m_momentary)
            QTimer::singleShot(FlashMs, this, [this] {
                if (m_held)
                    release();
            });
        else
            release();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void SegmentedControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bar = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath outline;
    outline.addRoundedRect(bar, Radius, Radius);
    const QColor edge = isEnabled() ? m_tint.darker(150) : QColor(0xa0, 0xa0, 0xa0);

    QLinearGradient plain(bar.topLeft(), bar.bottomLeft());
    plain.setColorAt(0, QColor(0xfe, 0xfe, 0xfe));
    plain.setColorAt(1, QColor(0xdd, 0xe1, 0xe6));
    painter.fillPath(outline, plain);

    const int count = numberOfSegments();
    for (int i = 0; i < count; ++i) {
        const QRectF cell = segmentRect(i);
        const bool lit = i == m_selected;
        if (lit) {
            QLinearGradient fill(cell.topLeft(), cell.bottomLeft());
            const QColor tint = isEnabled() ? m_tint : QColor(0xa8, 0xa8, 0xa8);
            fill.setColorAt(0, tint.lighter(125));
            fill.setColorAt(1, tint.darker(110));
            painter.save();
            painter.setClipPath(outline);
            painter.fillRect(cell, fill);
            painter.restore();
        }
        if (i > 0) {
            painter.setPen(edge);
            painter.drawLine(cell.topLeft(), cell.bottomLeft());
        }
        QColor text = lit ? Qt::white : QColor(0x3a, 0x40, 0x48);
        if (!isEnabled())
            text = lit ? QColor(0xf0, 0xf0, 0xf0) : QColor(0x9a, 0x9a, 0x9a);
        painter.setPen(text);
        const QString title =
            fontMetrics().elidedText(m_titles[i], Qt::ElideRight, int(cell.width()) - 4);
        painter.drawText(cell, Qt::AlignCenter, title);
        if (m_showFocus && hasFocus() && i == m_current) {
            painter.setPen(QPen(lit ? QColor(255, 255, 255, 180) : m_tint, 1, Qt::DotLine));
            painter.drawRoundedRect(cell.adjusted(3, 3, -3, -3), 3, 3);
        }
    }
    painter.setPen(QPen(edge, 1));
    painter.drawPath(outline);
}

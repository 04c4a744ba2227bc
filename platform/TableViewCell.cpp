#include "TableViewCell.h"

#include "ImageView.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>

#include <algorithm>

namespace {

constexpr qreal cornerRadius = 8;
constexpr int accessoryWidth = 30;
constexpr int margin = 10;
constexpr int imageSize = 32;

const QColor separatorColor(0xc8, 0xc7, 0xcc);
const QColor blueHighlight(0x1a, 0x7c, 0xf5);
const QColor grayHighlight(0xd9, 0xd9, 0xd9);
const QColor checkColor(0x00, 0x6b, 0xe0);

// The cell's piece of its group's rounded outline. A cell below another starts one pixel
// above its top edge, so only its bottom edge shows: that is the separator to the next row.
QPainterPath outline(const QRectF &bounds, TableViewCell::GroupPosition position)
{
    using P = TableViewCell::GroupPosition;
    const bool roundTop = position == P::Only || position == P::First;
    const bool roundBottom = position == P::Only || position == P::Last;
    QRectF r = bounds.adjusted(0.5, 0.5, -0.5, -0.5);
    if (!roundTop)
        r.setTop(r.top() - 2);
    const qreal top = roundTop ? cornerRadius : 0, bottom = roundBottom ? cornerRadius : 0;
    QPainterPath path;
    path.moveTo(r.left(), r.top() + top);
    path.arcTo(QRectF(r.left(), r.top(), 2 * top, 2 * top), 180, -90);
    path.lineTo(r.right() - top, r.top());
    path.arcTo(QRectF(r.right() - 2 * top, r.top(), 2 * top, 2 * top), 90, -90);
    path.lineTo(r.right(), r.bottom() - bottom);
    path.arcTo(QRectF(r.right() - 2 * bottom, r.bottom() - 2 * bottom, 2 * bottom, 2 * bottom), 0,
               -90);
    path.lineTo(r.left() + bottom, r.bottom());
    path.arcTo(QRectF(r.left(), r.bottom() - 2 * bottom, 2 * bottom, 2 * bottom), 270, -90);
    path.closeSubpath();
    return path;
}

QColor mix(const QColor &from, const QColor &to, double t)
{
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * t,
                            from.greenF() + (to.greenF() - from.greenF()) * t,
                            from.blueF() + (to.blueF() - from.blueF()) * t);
}

} // namespace

TableViewCell::TableViewCell(const QString &reuseIdentifier, QWidget *parent)
    : QWidget(parent), m_reuseIdentifier(reuseIdentifier)
{
    resize(320, Height);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    m_contentView = new QWidget(this);
    m_textLabel = new QLabel(m_contentView);
    QFont font = m_textLabel->font();
    font.setPixelSize(16);
    font.setWeight(QFont::DemiBold);
    m_textLabel->setFont(font);
    m_textLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    layoutSubviews();
}

QString TableViewCell::text() const
{
    return m_textLabel->text();
}

void TableViewCell::setText(const QString &text)
{
    m_textLabel->setText(text);
}

ImageView *TableViewCell::imageView()
{
    if (!m_imageView) {
        m_imageView = new ImageView(m_contentView);
        m_imageView->setContentMode(ImageView::ContentMode::ScaleAspectFit);
        m_imageView->setGeometry(margin, (Height - imageSize) / 2, imageSize, imageSize);
        m_imageView->hide();
    }
    return m_imageView;
}

void TableViewCell::setImage(const Picture &image)
{
    imageView()->setImage(image);
    m_imageView->setVisible(!image.isNull());
    layoutSubviews();
}

void TableViewCell::setAccessoryType(AccessoryType type)
{
    if (type == m_accessory)
        return;
    m_accessory = type;
    layoutSubviews();
    update();
}

void TableViewCell::setSelectionStyle(SelectionStyle style)
{
    m_selectionStyle = style;
    updateTextColors();
    update();
}

void TableViewCell::setSelected(bool selected, bool animated)
{
    if (m_fade)
        m_fade->stop();
    if (m_selected && !selected && animated && m_selectionStyle != SelectionStyleNone) {
        // The highlight fades out; the cell is already deselected.
        if (!m_fade) {
            m_fade = new QVariantAnimation(this);
            m_fade->setDuration(300);
            connect(m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
                m_fadeLevel = value.toDouble();
                update();
            });
            connect(m_fade, &QVariantAnimation::finished, this, [this] { updateTextColors(); });
        }
        m_fade->setStartValue(1.0);
        m_fade->setEndValue(0.0);
        m_fadeLevel = 1.0;
        m_selected = false;
        m_fade->start();
        return;
    }
    m_fadeLevel = 0.0;
    m_selected = selected;
    updateTextColors();
    update();
}

void TableViewCell::setHighlighted(bool highlighted)
{
    if (highlighted == m_highlighted)
        return;
    m_highlighted = highlighted;
    updateTextColors();
    update();
}

void TableViewCell::setGroupPosition(GroupPosition position)
{
    m_position = position;
    update();
}

double TableViewCell::highlightLevel() const
{
    if (m_selectionStyle == SelectionStyleNone)
        return 0.0;
    if (m_selected || m_highlighted)
        return 1.0;
    return m_fade && m_fade->state() == QAbstractAnimation::Running ? m_fadeLevel : 0.0;
}

// Labels turn white on the blue highlight, as on the phone, and keep their own colour for
// when it goes away.
void TableViewCell::updateTextColors()
{
    const bool white = m_selectionStyle == SelectionStyleBlue && highlightLevel() > 0.5;
    for (QLabel *label : findChildren<QLabel *>()) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::HighlightedText, Qt::white);
        label->setPalette(palette);
        label->setForegroundRole(white ? QPalette::HighlightedText : QPalette::WindowText);
    }
}

void TableViewCell::layoutSubviews()
{
    const int contentWidth = width() - (m_accessory == AccessoryNone ? 0 : accessoryWidth);
    m_contentView->setGeometry(0, 0, contentWidth, height());
    const bool withImage = m_imageView && !m_imageView->image().isNull();
    const int textLeft = withImage ? margin + imageSize + margin : margin;
    m_textLabel->setGeometry(textLeft, 0, std::max(0, contentWidth - textLeft - margin), height());
}

void TableViewCell::resizeEvent(QResizeEvent *)
{
    layoutSubviews();
}

void TableViewCell::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const QPainterPath path = outline(rect(), m_position);
    const double level = highlightLevel();
    const QColor highlight = m_selectionStyle == SelectionStyleGray ? grayHighlight : blueHighlight;
    painter.setPen(QPen(separatorColor, 1));
    painter.setBrush(mix(Qt::white, highlight, level));
    painter.drawPath(path);

    const bool onBlue = m_selectionStyle == SelectionStyleBlue && level > 0.5;
    const QRectF accessory(width() - accessoryWidth, 0, accessoryWidth - margin, height());
    const QPointF c = accessory.center();
    if (m_accessory == AccessoryCheckmark) {
        QPainterPath tick;
        tick.moveTo(c + QPointF(-6, 0));
        tick.lineTo(c + QPointF(-2, 5));
        tick.lineTo(c + QPointF(6, -6));
        painter.setPen(QPen(onBlue ? QColor(Qt::white) : checkColor, 2.5, Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    } else if (m_accessory == AccessoryDisclosureIndicator) {
        QPainterPath chevron;
        chevron.moveTo(c + QPointF(-2, -5));
        chevron.lineTo(c + QPointF(3, 0));
        chevron.lineTo(c + QPointF(-2, 5));
        painter.setPen(QPen(onBlue ? QColor(Qt::white) : QColor(0xa0, 0xa0, 0xa6), 2, Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(chevron);
    }
}

void TableViewCell::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    setHighlighted(true);
}

void TableViewCell::mouseMoveEvent(QMouseEvent *event)
{
    setHighlighted(rect().contains(event->position().toPoint()));
}

void TableViewCell::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const bool inside = rect().contains(event->position().toPoint());
    setHighlighted(false);
    if (inside)
        emit tapped(this);
}

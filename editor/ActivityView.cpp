#include "ActivityView.h"

#include "AnimationBlock.h"
#include "HoverView.h"
#include "View.h"

#include <QChildEvent>
#include <QPainter>

namespace {

constexpr int kFade = 2;
// Dark enough that text behind the panel cannot be read through it.
constexpr float kFillAlpha = 0.9f;
constexpr int kFontSize = 17;
// Between the spinner and the text.
constexpr int kGap = 10;

void setBoldFont(QLabel *label)
{
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(kFontSize); // points on the phone are pixels here
    label->setFont(font);
}

} // namespace

ActivityView::ActivityView(QWidget *parent) : QWidget(parent)
{
    resize(kWidth, kHeight);
    m_activityIndicator = new ActivityIndicatorView(this);
    m_label = new QLabel(this);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    m_label->setPalette(palette);
    setBoldFont(m_label);
    layoutContent();
    watchSiblings();
}

void ActivityView::setActivityIndicator(ActivityIndicatorView *indicator)
{
    m_activityIndicator = indicator;
    m_placesChildren = false;
}

void ActivityView::setLabel(QLabel *label)
{
    m_label = label;
    m_placesChildren = false;
}

void ActivityView::setLookThrough(bool lookThrough)
{
    m_lookThrough = lookThrough;
    update();
}

void ActivityView::startAnimating(const QString &text)
{
    AnimationBlock *animation = AnimationBlock::animation();
    const bool started = animation->start(this, true, kFade);
    raise();
    View::setHidden(this, false);
    if (m_label) {
        setBoldFont(m_label);
        m_label->setText(text);
    }
    if (m_activityIndicator)
        m_activityIndicator->startAnimating();
    layoutContent();
    animation->end(this, started);
}

void ActivityView::startAnimating(const QString &text, QWidget *inView)
{
    if (inView) {
        View::removeFromSuperview(this);
        View::addSubview(inView, this);
        // The centre of inView's own area: the panel is now one of its children.
        View::setCenter(this, View::bounds(inView).center());
        View::bringSubviewToFront(inView, this);
    }
    startAnimating(text);
}

void ActivityView::stopAnimating()
{
    AnimationBlock *animation = AnimationBlock::animation();
    const bool started = animation->start(this, true, kFade);
    if (m_activityIndicator)
        m_activityIndicator->stopAnimating();
    View::setHidden(this, true);
    animation->end(this, started);
}

void ActivityView::fillRoundedRect(const QRectF &rect, QPainter &painter)
{
    HoverView::fillPanel(rect, painter, QColor::fromRgbF(0.2f, 0.2f, 0.2f, kFillAlpha));
}

void ActivityView::paintEvent(QPaintEvent *)
{
    if (m_lookThrough)
        return;
    QPainter painter(this);
    fillRoundedRect(HoverView::panelRect(this), painter);
}

bool ActivityView::event(QEvent *event)
{
    if (event->type() == QEvent::ParentChange)
        watchSiblings();
    return QWidget::event(event);
}

// A sibling added, or one raised, would cover the panel: it goes back on top each time.
bool ActivityView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_watched && event->type() == QEvent::ChildAdded) {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (child != this && child->isWidgetType()) {
            child->installEventFilter(this);
            raise();
        }
    } else if (watched != m_watched && event->type() == QEvent::ZOrderChange) {
        raise();
    }
    return false;
}

void ActivityView::watchSiblings()
{
    if (m_watched == parentWidget())
        return;
    if (m_watched) {
        m_watched->removeEventFilter(this);
        for (QObject *sibling : m_watched->children())
            sibling->removeEventFilter(this);
    }
    m_watched = parentWidget();
    if (!m_watched)
        return;
    m_watched->installEventFilter(this);
    for (QObject *sibling : m_watched->children())
        if (sibling != this && sibling->isWidgetType())
            sibling->installEventFilter(this);
    raise();
}

void ActivityView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutContent();
}

// The spinner and one line of text, as a group centred in the panel.
void ActivityView::layoutContent()
{
    if (!m_placesChildren || !m_activityIndicator || !m_label)
        return;
    const QSize spinner = m_activityIndicator->sizeHint();
    const int textHeight = m_label->fontMetrics().height();
    const int top = (height() - spinner.height() - kGap - textHeight) / 2;
    m_activityIndicator->setGeometry((width() - spinner.width()) / 2, top, spinner.width(),
                                     spinner.height());
    m_label->setGeometry(0, top + spinner.height() + kGap, width(), textHeight);
}

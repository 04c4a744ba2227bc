#include "MessageBanner.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace {

const QString kObjectName = QStringLiteral("messageBanner");
constexpr int kMargin = 8;  // from the window's edges
constexpr int kRadius = 10; // of the panel's corners

} // namespace

MessageBanner::MessageBanner(QWidget *window) : QFrame(window), m_label(new QLabel(this))
{
    setObjectName(kObjectName);
    QPalette palette = this->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, Qt::white);
    setPalette(palette);

    m_label->setObjectName(QStringLiteral("messageText"));
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("closeMessage"));
    close->setText(QStringLiteral("✕"));
    close->setToolTip(tr("Close"));
    close->setAutoRaise(true);
    close->setCursor(Qt::PointingHandCursor);
    connect(close, &QToolButton::clicked, this, &MessageBanner::dismiss);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 10, 6, 10);
    layout->addWidget(m_label, 1);
    layout->addWidget(close, 0, Qt::AlignTop);
    window->installEventFilter(this);
}

MessageBanner *MessageBanner::showMessage(QWidget *about, const QString &message)
{
    if (about == nullptr)
        return nullptr;
    QWidget *window = about->window();
    auto *banner = window->findChild<MessageBanner *>(kObjectName, Qt::FindDirectChildrenOnly);
    if (banner == nullptr)
        banner = new MessageBanner(window);
    if (banner->m_about && banner->m_about != window)
        banner->m_about->removeEventFilter(banner);
    banner->m_about = about;
    if (about != window)
        about->installEventFilter(banner);
    banner->m_label->setText(message);
    banner->place();
    banner->show();
    banner->raise();
    return banner;
}

MessageBanner *MessageBanner::shown(QWidget *anywhere)
{
    if (anywhere == nullptr)
        return nullptr;
    auto *banner =
        anywhere->window()->findChild<MessageBanner *>(kObjectName, Qt::FindDirectChildrenOnly);
    return banner != nullptr && !banner->isHidden() ? banner : nullptr;
}

QString MessageBanner::text() const
{
    return m_label->text();
}

void MessageBanner::dismiss()
{
    hide();
}

// As wide as the window allows and as tall as the wrapped text needs, along the bottom edge.
void MessageBanner::place()
{
    const QRect area = parentWidget()->rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const int height = qMin(layout()->totalHeightForWidth(area.width()), area.height());
    setGeometry(area.x(), area.bottom() + 1 - height, area.width(), height);
}

bool MessageBanner::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        place();
        // Screens come and go under it; the message stays on top of them.
        raise();
    } else if (watched == m_about && event->type() == QEvent::Hide && !event->spontaneous()) {
        dismiss();
    }
    return QFrame::eventFilter(watched, event);
}

void MessageBanner::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(28, 28, 30, 240));
    painter.drawRoundedRect(QRectF(rect()), kRadius, kRadius);
}

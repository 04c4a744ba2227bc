#include "NavigationBar.h"
#include "ViewController.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QToolButton>
#include <QWidgetAction>

namespace {

constexpr int Margin = 6;
constexpr int ItemHeight = 30;
constexpr int TitleGap = 8;

// Bar buttons: a rounded, slightly raised button in the bar's colours.
QString buttonSheet(int style)
{
    if (style == NavigationBar::Default)
        return QStringLiteral(
            "QToolButton#barButton { color: #26313d; font-weight: bold; padding: 3px 9px;"
            " border: 1px solid #7d8a99; border-radius: 5px;"
            " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfdfe, stop:1 #d3dae3); "
            "}"
            "QToolButton#barButton:pressed { background: #b9c3cf; }"
            "QToolButton#barButton:disabled { color: #98a2ad; }"
            "QLabel#barTitle { color: #1f2933; }");
    return QStringLiteral(
        "QToolButton#barButton { color: white; font-weight: bold; padding: 3px 9px;"
        " border: 1px solid rgba(255, 255, 255, 90); border-radius: 5px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgba(255, 255, 255, 60),"
        " stop:1 rgba(255, 255, 255, 15)); }"
        "QToolButton#barButton:pressed { background: rgba(255, 255, 255, 90); }"
        "QToolButton#barButton:disabled { color: rgba(255, 255, 255, 110); }"
        "QLabel#barTitle { color: white; }");
}

// A button with a menu keeps its arrow inside the rounded frame, in either style.
const char kMenuArrowSheet[] =
    "QToolButton#barButton[popupMode=\"1\"] { padding-right: 20px; }"
    "QToolButton#barButton::menu-button { border: none; background: transparent; width: 16px; }";

QToolButton *makeButton(QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("barButton"));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

// Fits `widget` at most `maxWidth` wide into the bar's height, with its left edge at `x`.
int place(QWidget *widget, int x, int maxWidth, int barHeight)
{
    const QSize hint = widget->sizeHint();
    const int width = qMin(hint.width(), maxWidth);
    const int height = qMin(qMax(hint.height(), ItemHeight), barHeight - 2 * Margin);
    widget->setGeometry(x, (barHeight - height) / 2, width, height);
    return width;
}

} // namespace

NavigationBar::NavigationBar(QWidget *parent) : QWidget(parent)
{
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("barTitle"));
    m_title->setAlignment(Qt::AlignCenter);
    QFont font = m_title->font();
    font.setBold(true);
    font.setPixelSize(18);
    m_title->setFont(font);

    auto *back = makeButton(this);
    back->hide();
    connect(back, &QToolButton::clicked, this, &NavigationBar::backPressed);
    m_back = back;
    applyStyle();
}

// A custom item widget goes back to its action, which owns it.
NavigationBar::~NavigationBar()
{
    releaseItemWidget(m_left, m_leftAction);
    releaseItemWidget(m_right, m_rightAction);
}

QSize NavigationBar::sizeHint() const
{
    return {320, Height};
}

void NavigationBar::setBarStyle(int style)
{
    if (style == m_style)
        return;
    m_style = style;
    applyStyle();
    update();
    emit barStyleChanged(style);
}

void NavigationBar::applyStyle()
{
    setStyleSheet(buttonSheet(m_style) + QLatin1String(kMenuArrowSheet));
}

void NavigationBar::showItem(const NavigationItem &item, const QString &backTitle)
{
    releaseItemWidget(m_left, m_leftAction);
    releaseItemWidget(m_right, m_rightAction);

    m_titleText = item.title;
    m_leftAction = item.leftBarButtonItem;
    m_rightAction = item.rightBarButtonItem;
    m_left = makeItemWidget(m_leftAction);
    m_right = makeItemWidget(m_rightAction);
    m_back->setText(QStringLiteral("\u2039 ") + backTitle);
    m_back->setVisible(!m_left && !backTitle.isEmpty());
    layoutItems();
}

QString NavigationBar::title() const
{
    return m_titleText;
}

QWidget *NavigationBar::makeItemWidget(QAction *action)
{
    if (action == nullptr)
        return nullptr;
    QWidget *widget = nullptr;
    if (auto *custom = qobject_cast<QWidgetAction *>(action))
        widget = custom->requestWidget(this);
    if (widget == nullptr) {
        auto *button = makeButton(this);
        button->setDefaultAction(action);
        widget = button;
    }
    // The action may take its widget with it; the bar then closes the gap.
    connect(widget, &QObject::destroyed, this, [this] { layoutItems(); });
    widget->show();
    return widget;
}

void NavigationBar::releaseItemWidget(QPointer<QWidget> &widget, QPointer<QAction> &action)
{
    if (widget) {
        disconnect(widget, &QObject::destroyed, this, nullptr);
        auto *custom = qobject_cast<QWidgetAction *>(action.data());
        if (custom && widget->parentWidget() == this && custom->defaultWidget() == widget) {
            custom->releaseWidget(widget);
        } else {
            // Not deleted at once: the button may be the one whose click led here.
            widget->hide();
            widget->deleteLater();
        }
    }
    widget.clear();
    action.clear();
}

void NavigationBar::layoutItems()
{
    const int w = width(), h = height();
    int leftEdge = Margin, rightEdge = w - Margin;
    QWidget *left = m_left ? m_left.data() : (m_back->isVisible() ? m_back : nullptr);
    if (left)
        leftEdge += place(left, leftEdge, w / 3, h) + TitleGap;
    if (m_right) {
        const int width = qMin(m_right->sizeHint().width(), w / 3);
        rightEdge -= place(m_right, rightEdge - width, width, h) + TitleGap;
    }
    // Centred on the bar, pushed aside only as far as the items need.
    const QFontMetrics metrics(m_title->font());
    const int room = qMax(0, rightEdge - leftEdge);
    const QString text = metrics.elidedText(m_titleText, Qt::ElideRight, room);
    const int width = qMin(metrics.horizontalAdvance(text) + 4, room);
    const int x = qBound(leftEdge, (w - width) / 2, qMax(leftEdge, rightEdge - width));
    m_title->setText(text);
    m_title->setGeometry(x, 0, width, h);
}

void NavigationBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutItems();
}

void NavigationBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRectF bar = rect();
    if (m_style == Default) {
        QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
        fill.setColorAt(0, QColor(0xf6, 0xf8, 0xfb));
        fill.setColorAt(0.5, QColor(0xe3, 0xe8, 0xee));
        fill.setColorAt(1, QColor(0xc8, 0xd1, 0xdc));
        painter.fillRect(bar, fill);
        painter.setPen(QColor(0xff, 0xff, 0xff));
        painter.drawLine(0, 0, width(), 0);
        painter.setPen(QColor(0x86, 0x93, 0xa3));
        painter.drawLine(0, height() - 1, width(), height() - 1);
    } else if (m_style == BlackOpaque) {
        QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
        fill.setColorAt(0, QColor(0x3c, 0x3c, 0x3c));
        fill.setColorAt(1, QColor(0x0a, 0x0a, 0x0a));
        painter.fillRect(bar, fill);
    } else {
        // Translucent: what lies under the bar shows through.
        painter.fillRect(bar, QColor(0, 0, 0, 153));
        painter.setPen(QColor(255, 255, 255, 40));
        painter.drawLine(0, height() - 1, width(), height() - 1);
    }
}

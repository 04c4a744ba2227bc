#include "HoverView.h"

#include "View.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr double kRadius = 5.0;
constexpr double kInset = 1.0;

} // namespace

HoverView::HoverView(QWidget *parent) : QWidget(parent) {}

void HoverView::fillRoundedRect(const QRectF &rect, QPainter &painter)
{
    fillPanel(rect, painter, QColor::fromRgbF(0.8f, 0.8f, 0.8f, 0.5f));
}

void HoverView::fillPanel(const QRectF &rect, QPainter &painter, const QColor &fill)
{
    QPainterPath path;
    path.addRoundedRect(rect, kRadius, kRadius);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, fill);
}

QRectF HoverView::panelRect(const QWidget *view)
{
    return View::bounds(view).adjusted(kInset, kInset, -kInset, -kInset);
}

void HoverView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    fillRoundedRect(panelRect(this), painter);
}

#include "HoverContainerView.h"

HoverContainerView::HoverContainerView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
}

void HoverContainerView::paintEvent(QPaintEvent *) {}

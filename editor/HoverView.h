#ifndef VELMORA_EDITOR_HOVERVIEW_H
#define VELMORA_EDITOR_HOVERVIEW_H

#include <QWidget>

class QPainter;

// The hover's background: a light translucent rounded panel, 1 point inside the bounds.
class HoverView : public QWidget
{
    Q_OBJECT

public:
    explicit HoverView(QWidget *parent = nullptr);

    void fillRoundedRect(const QRectF &rect, QPainter &painter);

protected:
    void paintEvent(QPaintEvent *event) override;
};

#endif

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

    // The rounded panel, shared with the busy panel in its own fill: the shape, and where it
    // sits in a view (1 point inside its bounds).
    static void fillPanel(const QRectF &rect, QPainter &painter, const QColor &fill);
    static QRectF panelRect(const QWidget *view);

protected:
    void paintEvent(QPaintEvent *event) override;
};

#endif

#ifndef VELMORA_EDITOR_HOVERCONTAINERVIEW_H
#define VELMORA_EDITOR_HOVERCONTAINERVIEW_H

#include <QWidget>

// A parent for hover content that draws nothing of its own.
class HoverContainerView : public QWidget
{
    Q_OBJECT

public:
    explicit HoverContainerView(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

#endif

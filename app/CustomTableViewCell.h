#ifndef VELMORA_APP_CUSTOMTABLEVIEWCELL_H
#define VELMORA_APP_CUSTOMTABLEVIEWCELL_H

#include "TableViewCell.h"

class QLabel;

// A table cell that shows its text in its own label (and an optional second label below),
// so screens can set the labels' font and colour themselves.
class CustomTableViewCell : public TableViewCell
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)

public:
    explicit CustomTableViewCell(const QString &reuseIdentifier = QString(),
                                 QWidget *parent = nullptr);
    // For layouts: a cell without a reuse identifier.
    explicit CustomTableViewCell(QWidget *parent) : CustomTableViewCell(QString(), parent) {}

    QLabel *label() const { return m_label; }
    QLabel *subLabel() const { return m_subLabel; }

    QString text() const;
    void setText(const QString &text) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *m_label = nullptr;
    QLabel *m_subLabel = nullptr;
};

#endif

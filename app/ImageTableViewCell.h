#ifndef VELMORA_APP_IMAGETABLEVIEWCELL_H
#define VELMORA_APP_IMAGETABLEVIEWCELL_H

#include "CustomTableViewCell.h"

// A menu row: a 32 × 32 picture on the left, the label beside it. A disabled row is only
// greyed; it still reports selections, and its action decides whether anything happens.
class ImageTableViewCell : public CustomTableViewCell
{
    Q_OBJECT

public:
    explicit ImageTableViewCell(const QString &reuseIdentifier = QString(),
                                QWidget *parent = nullptr);
    // For layouts: a cell without a reuse identifier.
    explicit ImageTableViewCell(QWidget *parent) : ImageTableViewCell(QString(), parent) {}

    // A new 320 × 44 cell with `reuseIdentifier`.
    static ImageTableViewCell *initWithIdentifier(const QString &reuseIdentifier);

    ImageView *imageView() { return TableViewCell::imageView(); }
    void setImage(const Picture &image);

    void enable(bool enabled);
    bool isEnabledLook() const { return m_enabledLook; }

private:
    bool m_enabledLook = true;
};

#endif

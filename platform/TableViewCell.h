#ifndef VELMORA_PLATFORM_TABLEVIEWCELL_H
#define VELMORA_PLATFORM_TABLEVIEWCELL_H

#include "Picture.h"

#include <QString>
#include <QWidget>

class ImageView;
class QLabel;
class QVariantAnimation;

// One row of a table: a text, an optional picture on the left, an accessory on the right,
// and a content view that rows add their own controls to. A TableView lays it out and
// draws it as part of a rounded group; pressing it highlights it in the selection style.
class TableViewCell : public QWidget
{
    Q_OBJECT

public:
    enum AccessoryType
    {
        AccessoryNone = 0,
        AccessoryDisclosureIndicator = 1,
        AccessoryCheckmark = 3
    };

    enum SelectionStyle
    {
        SelectionStyleNone = 0,
        SelectionStyleBlue = 1,
        SelectionStyleGray = 2
    };

    // Where the cell sits in its group, for the rounded corners and the separator line.
    enum class GroupPosition
    {
        Only,
        First,
        Middle,
        Last
    };

    static constexpr int Height = 44;

    explicit TableViewCell(const QString &reuseIdentifier = QString(), QWidget *parent = nullptr);
    // For layouts: a cell without a reuse identifier.
    explicit TableViewCell(QWidget *parent) : TableViewCell(QString(), parent) {}

    QString reuseIdentifier() const { return m_reuseIdentifier; }

    QString text() const;
    virtual void setText(const QString &text);
    QLabel *textLabel() const { return m_textLabel; }

    // Created on first use; shown, with the text beside it, while it holds a picture.
    ImageView *imageView();
    void setImage(const Picture &image);

    AccessoryType accessoryType() const { return m_accessory; }
    void setAccessoryType(AccessoryType type);

    SelectionStyle selectionStyle() const { return m_selectionStyle; }
    void setSelectionStyle(SelectionStyle style);

    bool isSelected() const { return m_selected; }
    void setSelected(bool selected, bool animated = false);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);

    // Covers the cell except the accessory; children placed here move and resize with it.
    QWidget *contentView() const { return m_contentView; }

    GroupPosition groupPosition() const { return m_position; }
    void setGroupPosition(GroupPosition position);

signals:
    // A press that was released over the cell.
    void tapped(TableViewCell *cell);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void layoutSubviews();
    void updateTextColors();
    // How strongly the selection is drawn: 1 selected or pressed, fading to 0 on deselect.
    double highlightLevel() const;

    QString m_reuseIdentifier;
    QWidget *m_contentView = nullptr;
    QLabel *m_textLabel = nullptr;
    ImageView *m_imageView = nullptr;
    AccessoryType m_accessory = AccessoryNone;
    SelectionStyle m_selectionStyle = SelectionStyleBlue;
    GroupPosition m_position = GroupPosition::Only;
    bool m_selected = false;
    bool m_highlighted = false;
    QVariantAnimation *m_fade = nullptr;
    double m_fadeLevel = 0.0;
};

#endif

#ifndef VELMORA_PLATFORM_SEGMENTEDCONTROL_H
#define VELMORA_PLATFORM_SEGMENTEDCONTROL_H

#include <QColor>
#include <QStringList>
#include <QWidget>

// A row of titled segments in one rounded bar; one segment, or none (-1), is selected. A press
// on a segment selects it and sends valueChanged. A momentary control shows the pressed segment
// only while it is held: the segment is selected when valueChanged is sent and nothing stays
// selected afterwards. Setting the selection from code sends nothing.
//
// Keyboard: Left and Right move between segments (and select them unless momentary); Space or
// Return presses the current one.
class SegmentedControl : public QWidget
{
    Q_OBJECT

public:
    explicit SegmentedControl(QWidget *parent = nullptr);
    explicit SegmentedControl(const QStringList &titles, QWidget *parent = nullptr);

    int numberOfSegments() const { return int(m_titles.size()); }
    QStringList titles() const { return m_titles; }
    void setTitles(const QStringList &titles);
    QString titleForSegment(int segment) const { return m_titles.value(segment); }
    void setTitle(const QString &title, int segment);

    int selectedSegmentIndex() const { return m_selected; }
    // -1 selects nothing; an index past the segments is ignored.
    void setSelectedSegmentIndex(int index);

    bool isMomentary() const { return m_momentary; }
    void setMomentary(bool momentary);

    QColor tintColor() const { return m_tint; }
    void setTintColor(const QColor &tint);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void valueChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    int segmentAt(QPoint position) const;
    QRectF segmentRect(int segment) const;
    void press(int segment);
    void release();

    QStringList m_titles;
    int m_selected = -1;
    int m_current = 0; // the segment the keyboard is on
    bool m_momentary = false;
    bool m_held = false;
    bool m_showFocus = false; // only once the keyboard is in use
    QColor m_tint = QColor(0x4a, 0x6e, 0xa8);
};

#endif

#ifndef VELMORA_APP_ABOUTTAGVIEW_H
#define VELMORA_APP_ABOUTTAGVIEW_H

#include <QWidget>

class QLabel;

// The About screen's footer: the version line and the copyright and rights lines, whose
// texts come from the layout.
class AboutTagView : public QWidget
{
    Q_OBJECT

public:
    explicit AboutTagView(QWidget *parent = nullptr);

    // The build's version, e.g. "0.1.0".
    static QString version();

    // Takes the three labels the layout put inside this view, sets their font and fills in
    // the version line. Call once the layout is set up.
    void awakeFromNib();

    QLabel *versionLabel() const { return m_versionLabel; }
    QLabel *copyrightLabel() const { return m_copyrightLabel; }
    QLabel *rightsLabel() const { return m_rightsLabel; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *m_versionLabel = nullptr;
    QLabel *m_copyrightLabel = nullptr;
    QLabel *m_rightsLabel = nullptr;
};

#endif

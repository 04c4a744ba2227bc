#ifndef VELMORA_PLATFORM_MESSAGEBANNER_H
#define VELMORA_PLATFORM_MESSAGEBANNER_H

#include <QFrame>
#include <QPointer>

class QLabel;

// A message shown inside the window, over the screen it is about: a dark panel along the
// window's bottom edge with the text and a close button. The text can be selected and copied
// (an address to write to, a file name). There is one banner per window; a new message
// replaces the one shown. It stays until it is closed, so it is read at the user's pace, or
// until the view it was shown for goes off screen (the user moved on to another screen).
class MessageBanner : public QFrame
{
    Q_OBJECT

public:
    // Shows `message` for `about` (a screen's view, or the window) in the window that holds
    // it and returns the banner; null when there is no widget to show it in.
    static MessageBanner *showMessage(QWidget *about, const QString &message);
    // The banner of the window that holds `anywhere` while it shows a message, else null.
    static MessageBanner *shown(QWidget *anywhere);

    QString text() const;
    void dismiss();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    explicit MessageBanner(QWidget *window);
    void place();

    QLabel *m_label;
    QPointer<QWidget> m_about;
};

#endif

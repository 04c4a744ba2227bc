#ifndef VELMORA_EDITOR_ACTIVITYVIEW_H
#define VELMORA_EDITOR_ACTIVITYVIEW_H

#include "ActivityIndicatorView.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>

class QPainter;

// The busy panel: a dark translucent rounded rectangle with a spinner over one line of
// white text. Starting fades it in with the spinner running; stopping fades it out. It stays
// in front of its siblings, also of those added or raised after it.
class ActivityView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 160;
    static constexpr int kHeight = 110;

    // Makes its own spinner and label, centred one above the other.
    explicit ActivityView(QWidget *parent = nullptr);

    ActivityIndicatorView *activityIndicator() const { return m_activityIndicator; }
    void setActivityIndicator(ActivityIndicatorView *indicator);
    QLabel *label() const { return m_label; }
    void setLabel(QLabel *label);
    // When true only the spinner and the text show, without the panel behind them.
    bool lookThrough() const { return m_lookThrough; }
    void setLookThrough(bool lookThrough);

    void startAnimating(const QString &text);
    // Moves the panel into `inView`, centred and in front, then starts.
    void startAnimating(const QString &text, QWidget *inView);
    void stopAnimating();

    void fillRoundedRect(const QRectF &rect, QPainter &painter);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutContent();
    void watchSiblings();

    QPointer<ActivityIndicatorView> m_activityIndicator;
    QPointer<QLabel> m_label;
    // The parent whose children are watched for covering the panel.
    QPointer<QWidget> m_watched;
    bool m_lookThrough = false;
    // Only the spinner and label made here are placed; given ones stay where they were put.
    bool m_placesChildren = true;
};

#endif

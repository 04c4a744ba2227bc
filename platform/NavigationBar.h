#ifndef VELMORA_PLATFORM_NAVIGATIONBAR_H
#define VELMORA_PLATFORM_NAVIGATIONBAR_H

#include <QPointer>
#include <QWidget>

class QAbstractButton;
class QAction;
class QLabel;
struct NavigationItem;

// The bar across the top of a navigation stack: the top screen's title in the middle, its
// right item on the right, and on the left either its left item or a back button that pops
// the stack. Style 0 is the light default bar; style 2 is black and translucent, and the
// screens extend underneath it. Its alpha goes through View like any view's.
class NavigationBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Height = 44;
    // In landscape the bar is lower, leaving more of the short side to the screen.
    static constexpr int LandscapeHeight = 32;
    static int heightFor(const QSize &screen)
    {
        return screen.width() > screen.height() ? LandscapeHeight : Height;
    }

    enum Style
    {
        Default = 0,
        BlackOpaque = 1,
        BlackTranslucent = 2
    };

    explicit NavigationBar(QWidget *parent = nullptr);
    ~NavigationBar() override;

    int barStyle() const { return m_style; }
    void setBarStyle(int style);
    bool isTranslucent() const { return m_style == BlackTranslucent; }

    // Shows `item`; `backTitle` is the back button's text, empty for no back button.
    void showItem(const NavigationItem &item, const QString &backTitle);

    QString title() const;
    QAbstractButton *backButton() const { return m_back; }
    // The widget showing the right item, or null.
    QWidget *rightItemWidget() const { return m_right; }

    QSize sizeHint() const override;

signals:
    void backPressed();
    void barStyleChanged(int style);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *makeItemWidget(QAction *action);
    void releaseItemWidget(QPointer<QWidget> &widget, QPointer<QAction> &action);
    void applyStyle();
    void layoutItems();

    int m_style = Default;
    QLabel *m_title = nullptr;
    QString m_titleText;
    QAbstractButton *m_back = nullptr;
    QPointer<QWidget> m_left;
    QPointer<QWidget> m_right;
    QPointer<QAction> m_leftAction;
    QPointer<QAction> m_rightAction;
};

#endif

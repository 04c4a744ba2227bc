#ifndef VELMORA_PLATFORM_VIEWCONTROLLER_H
#define VELMORA_PLATFORM_VIEWCONTROLLER_H

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class NavigationStack;
class QAction;
class Touch;

// What a screen shows in the navigation bar while it is on top: its title, a right and a
// left item, and the item the screen above it shows as its back button.
struct NavigationItem
{
    QString title;
    QPointer<QAction> rightBarButtonItem; // a QWidgetAction shows its own widget
    QPointer<QAction> leftBarButtonItem;  // replaces the back button when set
    QPointer<QAction> backBarButtonItem;  // its text is the back button of the screen above
};

// A screen: it owns its root view, made on first use (loadView, then viewDidLoad), and hears
// when it appears and disappears, when the window turns between portrait (1) and landscape
// (3), and every touch that no view under its root consumed.
class ViewController : public QObject
{
    Q_OBJECT

public:
    enum InterfaceOrientation
    {
        Portrait = 1,
        PortraitUpsideDown = 2,
        LandscapeRight = 3,
        LandscapeLeft = 4
    };

    explicit ViewController(QObject *parent = nullptr);
    ~ViewController() override;

    // The root view, loaded on first call.
    QWidget *view();
    bool isViewLoaded() const { return m_view != nullptr; }

    QString title() const { return m_item.title; }
    void setTitle(const QString &title);
    NavigationItem &navigationItem() { return m_item; }
    // Tells the bar showing this screen that its item changed.
    void navigationItemChanged();

    // The stack this screen is on, or null.
    NavigationStack *navigationController() const;
    // The screen that presented this one modally, or the stack it is on.
    ViewController *parentViewController() const { return m_parentViewController; }

    // Landscape (3) while the window is wider than tall, otherwise portrait (1).
    int interfaceOrientation() const;
    static bool isLandscape(int orientation) { return orientation == 3 || orientation == 4; }

    // Whether the user may leave this screen for the one before it now (the back button,
    // Escape, Alt+Left); a screen busy with work that its return would disturb says no.
    virtual bool mayGoBack() const;

    virtual bool shouldAutorotateToInterfaceOrientation(int orientation);
    virtual void willRotateToInterfaceOrientation(int orientation, double duration);
    virtual void willAnimateFirstHalfOfRotationToInterfaceOrientation(int orientation,
                                                                      double duration);
    virtual void willAnimateSecondHalfOfRotationFromInterfaceOrientation(int orientation,
                                                                         double duration);
    virtual void didRotateFromInterfaceOrientation(int orientation);

    virtual void viewWillAppear(bool animated);
    virtual void viewDidAppear(bool animated);
    virtual void viewWillDisappear(bool animated);
    virtual void viewDidDisappear(bool animated);
    virtual void didReceiveMemoryWarning();

    // A touch that reached the root view without being consumed.
    virtual void touchesBegan(const Touch &touch);
    virtual void touchesMoved(const Touch &touch);
    virtual void touchesEnded(const Touch &touch);

signals:
    // The navigation item changed; the stack showing this screen redraws its bar.
    void navigationItemDidChange();

protected:
    // Makes the root view; the default is an empty widget. Call setView from here.
    virtual void loadView();
    virtual void viewDidLoad();
    void setView(QWidget *view);

private:
    friend class NavigationStack;

    QPointer<QWidget> m_view;
    QObject *m_watcher = nullptr; // hands unconsumed mouse events on the root view to touches*
    bool m_loading = false;
    NavigationItem m_item;
    QPointer<NavigationStack> m_navigationController;
    QPointer<ViewController> m_parentViewController;
};

#endif

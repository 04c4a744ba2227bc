#ifndef VELMORA_APP_HELPCONTROLLER_H
#define VELMORA_APP_HELPCONTROLLER_H

#include "ViewController.h"

#include <memory>

class QTextBrowser;
class QWidgetAction;
class SegmentedControl;

namespace Ui {
class HelpController;
}

// The help browser, from the "HelpController" layout: the help pages built into the program,
// a back/forward control on the left of the bar and Done on the right.
class HelpController : public ViewController
{
    Q_OBJECT

public:
    explicit HelpController(QObject *parent = nullptr);
    ~HelpController() override;

    static QUrl indexUrl();

    QTextBrowser *webView();
    SegmentedControl *navigationControl();
    QWidgetAction *navigationButton();
    QAction *doneButton();

    // The control's segment 1 goes forward, any other back, when there is a page to go to.
    void navigate();
    // Pops this screen off the stack.
    void done();

    void viewWillAppear(bool animated) override;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    std::unique_ptr<Ui::HelpController> m_ui;
    QWidgetAction *m_navigationButton = nullptr;
};

#endif

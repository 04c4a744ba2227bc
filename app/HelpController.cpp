#include "HelpController.h"

#include "NavigationBar.h"
#include "NavigationStack.h"
#include "SegmentedControl.h"
#include "ui_HelpController.h"

#include <QTextBrowser>
#include <QTextDocument>
#include <QWidgetAction>

// The help pages live in the library's resources; a static library has to ask for them.
// (Outside any namespace: the macro declares the resource's initialiser.)
static void initHelpResources()
{
    Q_INIT_RESOURCE(help);
}

HelpController::HelpController(QObject *parent) : ViewController(parent)
{
    initHelpResources();
}

HelpController::~HelpController() = default;

QUrl HelpController::indexUrl()
{
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}

void HelpController::loadView()
{
    auto *root = new QWidget;
    m_ui = std::make_unique<Ui::HelpController>();
    m_ui->setupUi(root);
    m_ui->webView->document()->setDocumentMargin(10);
    m_ui->navigationControl->setTitles({QStringLiteral("◀"), QStringLiteral("▶")});
    m_navigationButton = new QWidgetAction(this);
    connect(m_ui->navigationControl, &SegmentedControl::valueChanged, this,
            &HelpController::navigate);
    connect(m_ui->doneButton, &QAction::triggered, this, &HelpController::done);
    setView(root);
}

void HelpController::viewDidLoad()
{
    ViewController::viewDidLoad();
    setTitle(QStringLiteral("Help"));
    m_ui->navigationControl->setMomentary(true);
    m_ui->navigationControl->setTintColor(Qt::darkGray);
    // The control must not be hidden here: an action made for a hidden widget is disabled.
    m_navigationButton->setDefaultWidget(m_ui->navigationControl);
    navigationItem().leftBarButtonItem = m_navigationButton;
    navigationItem().rightBarButtonItem = m_ui->doneButton;
    navigationItemChanged();
}

QTextBrowser *HelpController::webView()
{
    view();
    return m_ui->webView;
}

SegmentedControl *HelpController::navigationControl()
{
    view();
    return m_ui->navigationControl;
}

QWidgetAction *HelpController::navigationButton()
{
    view();
    return m_navigationButton;
}

QAction *HelpController::doneButton()
{
    view();
    return m_ui->doneButton;
}

void HelpController::navigate()
{
    QTextBrowser *page = webView();
    if (navigationControl()->selectedSegmentIndex() == 1) {
        if (page->isForwardAvailable())
            page->forward();
    } else if (page->isBackwardAvailable()) {
        page->backward();
    }
}

void HelpController::done()
{
    if (NavigationStack *stack = navigationController())
        stack->popViewControllerAnimated(true);
}

// Under a translucent black bar the page starts below it, so its first lines are not covered.
// A desktop window has no status bar to leave room for.
void HelpController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    int top = 0;
    NavigationStack *stack = navigationController();
    if (stack && !stack->isNavigationBarHidden())
        top = stack->navigationBar()->barStyle() == NavigationBar::BlackTranslucent
                  ? top + NavigationBar::Height
                  : 0;
    view()->layout()->setContentsMargins(0, top, 0, 0);
    webView()->setSource(indexUrl());
}

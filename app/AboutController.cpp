#include "AboutController.h"

#include "AboutTagView.h"
#include "CustomTableViewCell.h"
#include "MessageBanner.h"
#include "NavigationStack.h"
#include "ui_AboutController.h"

#include <QDesktopServices>
#include <QLabel>

#ifndef VELMORA_SUPPORT_MAIL
#error "The build passes the support address as VELMORA_SUPPORT_MAIL."
#endif
#ifndef VELMORA_REVIEW_HOST
#error "The build passes the store's address as VELMORA_REVIEW_HOST."
#endif

namespace {

constexpr int footerHeight = 60;

// Every character a URL query could misread (space, &, #, +, …) is percent-encoded, so a name
// or identifier cannot end the value early or add parameters of its own.
QString queryValue(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

} // namespace

AboutController::AboutController(QObject *parent)
    : TableViewController(parent),
      m_openUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    setTitle(QStringLiteral("About"));
}

AboutController::~AboutController() = default;

QUrl AboutController::supportMailUrl(const QString &appName)
{
    return QUrl(QStringLiteral("mailto:%1?subject=%2")
                    .arg(QStringLiteral(VELMORA_SUPPORT_MAIL), queryValue(appName)),
                QUrl::StrictMode);
}

QUrl AboutController::reviewUrl(const QString &appId)
{
    return QUrl(QStringLiteral("%1/WebObjects/MZStore.woa/wa/viewContentsUserReviews?id=%2"
                               "&pageNumber=0&sortOrdering=1&type=Purple+Software")
                    .arg(QStringLiteral(VELMORA_REVIEW_HOST), queryValue(appId)),
                QUrl::StrictMode);
}

void AboutController::loadView()
{
    auto *root = new QWidget;
    m_ui = std::make_unique<Ui::AboutController>();
    m_ui->setupUi(root);
    m_ui->headerView->awakeFromNib();
    for (QWidget *kept :
         {static_cast<QWidget *>(m_ui->emailCell), static_cast<QWidget *>(m_ui->reviewCell),
          static_cast<QWidget *>(m_ui->headerView)})
        kept->hide();
    setView(root);
    setTableView(m_ui->tableView);
}

void AboutController::viewDidLoad()
{
    TableViewController::viewDidLoad();
    setTitle(QStringLiteral("About"));
}

CustomTableViewCell *AboutController::emailCell()
{
    view();
    return m_ui->emailCell;
}

CustomTableViewCell *AboutController::reviewCell()
{
    view();
    return m_ui->reviewCell;
}

AboutTagView *AboutController::headerView()
{
    view();
    return m_ui->headerView;
}

int AboutController::numberOfRowsInSection(TableView *, int section)
{
    return section == 0 ? 2 : 0;
}

TableViewCell *AboutController::cellForRowAtIndexPath(TableView *, const IndexPath &indexPath)
{
    if (indexPath.section != 0)
        return nullptr;
    switch (indexPath.row) {
    case 0:
        return emailCell();
    case 1:
        return reviewCell();
    default:
        return nullptr;
    }
}

QWidget *AboutController::viewForFooterInSection(TableView *, int section)
{
    return section == 0 ? headerView() : nullptr;
}

int AboutController::heightForFooterInSection(TableView *, int section)
{
    return section == 0 ? footerHeight : -1;
}

void AboutController::didSelectRowAtIndexPath(TableView *tableView, const IndexPath &indexPath)
{
    tableView->deselectRowAtIndexPath(indexPath, true);
    if (indexPath.section != 0 || !m_openUrl)
        return;
    // Without a mail program or a browser nothing would happen: the user gets the address.
    if (indexPath.row == 0 && !m_appName.isEmpty()) {
        if (!m_openUrl(supportMailUrl(m_appName)))
            MessageBanner::showMessage(
                view(), QStringLiteral("No mail program opened. Write to %1 from the mail you "
                                       "use; the address can be selected and copied.")
                            .arg(QStringLiteral(VELMORA_SUPPORT_MAIL)));
    } else if (indexPath.row == 1 && !m_appId.isEmpty()) {
        const QUrl review = reviewUrl(m_appId);
        if (!m_openUrl(review))
            MessageBanner::showMessage(
                view(), QStringLiteral("No web browser is set up to open the review page. Its "
                                       "address is %1")
                            .arg(review.toString(QUrl::FullyEncoded)));
    }
}

void AboutController::viewWillAppear(bool animated)
{
    TableViewController::viewWillAppear(animated);
    for (CustomTableViewCell *cell : {emailCell(), reviewCell()}) {
        QFont font = cell->label()->font();
        font.setPixelSize(17);
        font.setBold(true);
        cell->label()->setFont(font);
    }
}

void AboutController::close()
{
    if (auto *presenter = qobject_cast<NavigationStack *>(parentViewController()))
        presenter->dismissModalViewControllerAnimated(true);
}

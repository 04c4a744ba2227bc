#ifndef VELMORA_APP_ABOUTCONTROLLER_H
#define VELMORA_APP_ABOUTCONTROLLER_H

#include "TableViewController.h"

#include <QUrl>

#include <functional>
#include <memory>

class AboutTagView;
class CustomTableViewCell;

namespace Ui {
class AboutController;
}

// The About screen, from the "AboutController" layout: a row that writes to support, a row
// that opens the store's review page, and the version and copyright lines under them. The
// menu sets the application's name and store identifier before showing it; a row whose value
// is not set only deselects.
class AboutController : public TableViewController
{
    Q_OBJECT

public:
    // Hands a URL to the desktop; the default is QDesktopServices::openUrl.
    using UrlOpener = std::function<bool(const QUrl &url)>;

    explicit AboutController(QObject *parent = nullptr);
    ~AboutController() override;

    QString appName() const { return m_appName; }
    void setAppName(const QString &appName) { m_appName = appName; }
    QString appId() const { return m_appId; }
    void setAppId(const QString &appId) { m_appId = appId; }

    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }

    // The support mail link with `appName` as its subject, and the review page of `appId`.
    static QUrl supportMailUrl(const QString &appName);
    static QUrl reviewUrl(const QString &appId);

    CustomTableViewCell *emailCell();
    CustomTableViewCell *reviewCell();
    AboutTagView *headerView();

    int numberOfRowsInSection(TableView *tableView, int section) override;
    TableViewCell *cellForRowAtIndexPath(TableView *tableView, const IndexPath &indexPath) override;
    QWidget *viewForFooterInSection(TableView *tableView, int section) override;
    int heightForFooterInSection(TableView *tableView, int section) override;
    void didSelectRowAtIndexPath(TableView *tableView, const IndexPath &indexPath) override;

    void viewWillAppear(bool animated) override;
    // Asks the screen that presented this one to take it away.
    void close();

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    std::unique_ptr<Ui::AboutController> m_ui;
    QString m_appName;
    QString m_appId;
    UrlOpener m_openUrl;
};

#endif

#include "TableViewController.h"

#include "NavigationBar.h"
#include "NavigationStack.h"

TableViewController::TableViewController(QObject *parent) : ViewController(parent) {}

TableView *TableViewController::tableView()
{
    view();
    return m_tableView;
}

void TableViewController::loadView()
{
    auto *table = new TableView;
    table->resize(320, 416);
    setView(table);
    setTableView(table);
}

void TableViewController::setTableView(TableView *tableView)
{
    m_tableView = tableView;
    if (tableView) {
        tableView->setDataSource(this);
        tableView->setDelegate(this);
    }
}

void TableViewController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    // Under a translucent bar the rows start below it, as the content runs underneath.
    NavigationStack *stack = navigationController();
    const bool underBar = stack != nullptr && !stack->isNavigationBarHidden() &&
                          stack->navigationBar()->isTranslucent();
    if (m_tableView)
        m_tableView->setContentInsetTop(underBar ? stack->navigationBar()->height() : 0);
    if (m_tableView)
        m_tableView->deselectRowAtIndexPath(m_tableView->indexPathForSelectedRow(), animated);
}

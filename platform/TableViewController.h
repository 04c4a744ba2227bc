#ifndef VELMORA_PLATFORM_TABLEVIEWCONTROLLER_H
#define VELMORA_PLATFORM_TABLEVIEWCONTROLLER_H

#include "TableView.h"
#include "ViewController.h"

// A screen whose root view is a table that it feeds and hears. The table loads its rows the
// first time it is shown; every time the screen appears, the selected row is cleared.
class TableViewController : public ViewController,
                            public TableViewDataSource,
                            public TableViewDelegate
{
    Q_OBJECT

public:
    explicit TableViewController(QObject *parent = nullptr);

    // The table, loading the view first if need be.
    TableView *tableView();

    void viewWillAppear(bool animated) override;

protected:
    // Makes a table when no layout set a root view; a subclass that loads a layout calls
    // setTableView with the table in it.
    void loadView() override;
    void setTableView(TableView *tableView);

private:
    QPointer<TableView> m_tableView;
};

#endif

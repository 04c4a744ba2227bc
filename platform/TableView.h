#ifndef VELMORA_PLATFORM_TABLEVIEW_H
#define VELMORA_PLATFORM_TABLEVIEW_H

#include <QHash>
#include <QList>
#include <QPointer>
#include <QScrollArea>

class QLabel;
class TableView;
class TableViewCell;

struct IndexPath
{
    int section = -1;
    int row = -1;

    bool isValid() const { return section >= 0 && row >= 0; }
    bool operator==(const IndexPath &other) const
    {
        return section == other.section && row == other.row;
    }
    bool operator!=(const IndexPath &other) const { return !(*this == other); }
};

// What the table shows. A cell returned here becomes part of the table (a child widget):
// cells made with a reuse identifier come back through dequeueReusableCellWithIdentifier
// on the next reload; cells without one stay the caller's to keep and show again.
class TableViewDataSource
{
public:
    virtual ~TableViewDataSource() = default;

    virtual int numberOfSectionsInTableView(TableView *tableView);
    virtual int numberOfRowsInSection(TableView *tableView, int section) = 0;
    // Null leaves the row empty.
    virtual TableViewCell *cellForRowAtIndexPath(TableView *tableView,
                                                 const IndexPath &indexPath) = 0;
    virtual QString titleForHeaderInSection(TableView *tableView, int section);
    virtual QString titleForFooterInSection(TableView *tableView, int section);
};

// What the table tells about the user's choices, and the views around its sections.
class TableViewDelegate
{
public:
    virtual ~TableViewDelegate() = default;

    virtual void didSelectRowAtIndexPath(TableView *tableView, const IndexPath &indexPath);
    // A footer view is shown under the section, as wide as the table, at the height below
    // (its own height when that is negative). It becomes a child of the table.
    virtual QWidget *viewForFooterInSection(TableView *tableView, int section);
    virtual int heightForFooterInSection(TableView *tableView, int section);
};

// A grouped table: sections stacked vertically in a scroll area, each a rounded group of
// 44-pixel rows with an optional header and footer above and below it. Clicking a row
// selects it and tells the delegate; the data source is asked again on every reloadData and
// whenever the width changes.
class TableView : public QScrollArea
{
    Q_OBJECT

public:
    explicit TableView(QWidget *parent = nullptr);
    ~TableView() override;

    TableViewDataSource *dataSource() const { return m_dataSource; }
    void setDataSource(TableViewDataSource *dataSource);
    TableViewDelegate *delegate() const { return m_delegate; }
    void setDelegate(TableViewDelegate *delegate);

    void reloadData();
    // A cell with `identifier` that no row shows, or null; only valid while the data source
    // is being asked for its cells.
    TableViewCell *dequeueReusableCellWithIdentifier(const QString &identifier);

    int numberOfSections() const { return m_sections.size(); }
    int numberOfRowsInSection(int section) const;
    // The cell showing `indexPath`, or null.
    TableViewCell *cellForRowAtIndexPath(const IndexPath &indexPath) const;
    IndexPath indexPathForCell(const TableViewCell *cell) const;

    IndexPath indexPathForSelectedRow() const { return m_selected; }
    // Selects without telling the delegate.
    void selectRowAtIndexPath(const IndexPath &indexPath, bool animated);
    void deselectRowAtIndexPath(const IndexPath &indexPath, bool animated);

    // Room left free above the first section, for a translucent bar over the table.
    int contentInsetTop() const { return m_insetTop; }
    void setContentInsetTop(int inset);

    // The width of a row's cell: the view's width less the group's margins.
    int cellWidth() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    struct Section
    {
        QLabel *header = nullptr;
        QLabel *footerText = nullptr;
        QPointer<QWidget> footerView;
        int footerHeight = -1;
        QList<QPointer<TableViewCell>> cells;
    };

    void clearSections();
    void layoutContent();
    void cellTapped(TableViewCell *cell);

    TableViewDataSource *m_dataSource = nullptr;
    TableViewDelegate *m_delegate = nullptr;
    QWidget *m_content = nullptr;
    QList<Section> m_sections;
    QHash<QString, QList<QPointer<TableViewCell>>> m_reusable;
    IndexPath m_selected;
    bool m_loaded = false;
    bool m_reloading = false;
    int m_laidOutWidth = -1;
    int m_insetTop = 0;
};

#endif

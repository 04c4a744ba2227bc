#include "PlatformTestSupport.h"

#include "TableView.h"
#include "TableViewCell.h"

#include <QScrollBar>

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace {

// Two sections. Rows of section 0 are reused; rows of section 1 ("Second") are kept cells
// without an identifier, section 0 has a footer.
struct Rows : TableViewDataSource, TableViewDelegate
{
    int numberOfSectionsInTableView(TableView *) override { return 2; }
    int numberOfRowsInSection(TableView *, int section) override { return rows[section]; }
    QString titleForHeaderInSection(TableView *, int section) override
    {
        return section == 1 ? QStringLiteral("Second") : QString();
    }
    TableViewCell *cellForRowAtIndexPath(TableView *table, const IndexPath &at) override
    {
        if (at.section != 0)
            return fixed[at.row] ? fixed[at.row] : (fixed[at.row] = new TableViewCell);
        TableViewCell *cell = table->dequeueReusableCellWithIdentifier(QStringLiteral("Cell"));
        if (!cell) {
            cell = new TableViewCell(QStringLiteral("Cell"));
            ++made;
        }
        return cell;
    }
    QWidget *viewForFooterInSection(TableView *, int section) override
    {
        return section == 0 ? footer : nullptr;
    }
    int heightForFooterInSection(TableView *, int section) override
    {
        return section == 0 ? 60 : -1;
    }

    std::map<int, QPointer<TableViewCell>> fixed;
    QWidget *footer = new QWidget;
    int made = 0, rows[2] = {3, 1};
};

TEST(TableView, LaysOutSectionsAndReusesCells)
{
    TableView table;
    Rows rows;
    table.setDataSource(&rows);
    table.setDelegate(&rows);
    table.resize(320, 600);
    table.show();
    table.reloadData();
    const auto cell = [&](int section, int row) {
        return table.cellForRowAtIndexPath({section, row});
    };
    const QRect first = cell(0, 0)->geometry(), last = cell(0, 2)->geometry();
    // Rows span the table less a 10-pixel margin each side, in a wide table too, and the
    // scroll bar of a table too short for them does not narrow them.
    EXPECT_EQ((QList{first.height(), last.top() - first.top(), first.width()}),
              (QList{44, 88, 300}));
    table.resize(480, 120);
    drainEvents();
    EXPECT_TRUE(table.verticalScrollBar()->isVisible());
    EXPECT_EQ(cell(0, 0)->width(), 460);
    table.resize(320, 600);
    EXPECT_EQ(rows.footer->geometry(), QRect(0, last.bottom() + 1, table.viewport()->width(), 60));
    // The titled header sits between the footer and the next group.
    EXPECT_GT(cell(1, 0)->geometry().top(), rows.footer->geometry().bottom() + 20);
    using G = TableViewCell::GroupPosition;
    const QList<G> positions{cell(0, 0)->groupPosition(), cell(0, 1)->groupPosition(),
                             cell(0, 2)->groupPosition(), cell(1, 0)->groupPosition()};
    EXPECT_EQ(positions, (QList<G>{G::First, G::Middle, G::Last, G::Only}));

    rows.rows[1] = 3;
    rows.fixed[2] = rows.fixed[1] = new TableViewCell; // handed out twice: stays in the first
    QPointer<TableViewCell> kept = cell(1, 0);
    for (int reload = 0; reload < 4; ++reload)
        table.reloadData();
    EXPECT_EQ(rows.made, 3);
    EXPECT_EQ(cell(1, 0), kept.data()) << "a cell without identifier is kept";
    EXPECT_EQ(cell(1, 1), rows.fixed[1].data());
    EXPECT_EQ(cell(1, 2), nullptr);
    std::vector<QPointer<TableViewCell>> shown;
    for (int r = 0; r < 3; ++r)
        shown.emplace_back(cell(0, r));
    table.setDataSource(nullptr);
    table.reloadData();
    for (const auto &pooled : shown) {
        ASSERT_FALSE(pooled.isNull());
        EXPECT_FALSE(pooled->isVisible());
    }
    std::set<TableViewCell *> dequeued; // each pooled cell handed out once
    while (TableViewCell *pooled = table.dequeueReusableCellWithIdentifier(QStringLiteral("Cell")))
        dequeued.insert(pooled);
    EXPECT_EQ(dequeued.size(), 3u);
    ASSERT_FALSE(kept.isNull());
}

} // namespace

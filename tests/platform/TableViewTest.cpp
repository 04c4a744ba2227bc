#include "PlatformTestSupport.h"

#include "Switch.h"
#include "TableView.h"
#include "TableViewCell.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace {

// Rows of one or more sections; rows in section 0 carry their own switch, as settings rows do.
class Rows : public TableViewDataSource, public TableViewDelegate
{
public:
    explicit Rows(std::vector<int> rows) : m_rows(std::move(rows))
    {
        for (int r = 0; r < m_rows[0]; ++r)
            switches.push_back(std::make_unique<Switch>());
    }
    ~Rows() override
    {
        // The switches live in the table's cells by then; the table deletes them.
        for (auto &s : switches)
            s.release();
    }

    int numberOfSectionsInTableView(TableView *) override { return int(m_rows.size()); }
    int numberOfRowsInSection(TableView *, int section) override { return m_rows[section]; }
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
        cell->setText(QStringLiteral("Row %1").arg(at.row));
        Switch *control = switches[at.row].get();
        control->setParent(nullptr);
        control->setGeometry(196, 8, 94, 27);
        control->setParent(cell->contentView());
        control->show();
        return cell;
    }

    void didSelectRowAtIndexPath(TableView *, const IndexPath &at) override
    {
        selections.push_back(at);
    }
    QWidget *viewForFooterInSection(TableView *, int section) override
    {
        return section == 0 ? footer : nullptr;
    }
    int heightForFooterInSection(TableView *, int section) override
    {
        return section == 0 ? 60 : -1;
    }

    std::vector<std::unique_ptr<Switch>> switches;
    std::map<int, QPointer<TableViewCell>> fixed;
    std::vector<IndexPath> selections;
    QWidget *footer = nullptr;
    int made = 0;

private:
    std::vector<int> m_rows;
};

class TableViewTest : public ::testing::Test
{
protected:
    void show(Rows &rows)
    {
        table.setDataSource(&rows);
        table.setDelegate(&rows);
        table.resize(320, 600);
        table.show();
        table.reloadData();
    }

    TableView table;
};

int switchesIn(const TableViewCell *cell)
{
    return int(cell->contentView()->findChildren<Switch *>().size());
}

TEST_F(TableViewTest, ReusedCellsShowEachSwitchOnceInItsOwnRow)
{
    Rows rows({3});
    show(rows);
    for (int reload = 0; reload < 4; ++reload)
        table.reloadData();

    EXPECT_EQ(rows.made, 3);
    for (int r = 0; r < 3; ++r) {
        TableViewCell *cell = table.cellForRowAtIndexPath({0, r});
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(rows.switches[r]->parentWidget(), cell->contentView()) << "row " << r;
        EXPECT_EQ(switchesIn(cell), 1) << "row " << r;
        EXPECT_EQ(cell->text(), QStringLiteral("Row %1").arg(r));
        EXPECT_TRUE(cell->isVisible());
    }
}

TEST_F(TableViewTest, FewerRowsLeaveTheSpareCellsPooledAndHidden)
{
    Rows rows({3});
    show(rows);
    std::vector<QPointer<TableViewCell>> shown;
    for (int r = 0; r < 3; ++r)
        shown.emplace_back(table.cellForRowAtIndexPath({0, r}));
    table.setDataSource(nullptr);
    table.reloadData();

    EXPECT_EQ(table.numberOfSections(), 0);
    for (const auto &cell : shown) {
        ASSERT_FALSE(cell.isNull());
        EXPECT_FALSE(cell->isVisible());
    }
    // Each pooled cell is handed out once.
    std::set<TableViewCell *> dequeued;
    while (TableViewCell *cell = table.dequeueReusableCellWithIdentifier(QStringLiteral("Cell")))
        dequeued.insert(cell);
    EXPECT_EQ(dequeued.size(), 3u);
}

TEST_F(TableViewTest, CellsWithoutIdentifierAreKeptButNeverDequeued)
{
    Rows rows({1, 2});
    show(rows);
    QPointer<TableViewCell> kept = table.cellForRowAtIndexPath({1, 0});
    ASSERT_EQ(kept, rows.fixed[0]);
    table.reloadData();

    EXPECT_EQ(table.cellForRowAtIndexPath({1, 0}), kept.data());
    table.setDataSource(nullptr);
    table.reloadData();
    ASSERT_FALSE(kept.isNull());
    EXPECT_EQ(table.dequeueReusableCellWithIdentifier(QString()), nullptr);
}

TEST_F(TableViewTest, ACellHandedOutForTwoRowsStaysInTheFirst)
{
    Rows rows({1, 2});
    rows.fixed[1] = rows.fixed[0] = new TableViewCell;
    show(rows);

    EXPECT_EQ(table.cellForRowAtIndexPath({1, 0}), rows.fixed[0].data());
    EXPECT_EQ(table.cellForRowAtIndexPath({1, 1}), nullptr);
    EXPECT_EQ(table.numberOfRowsInSection(1), 2);
}

TEST_F(TableViewTest, SectionsStackWithHeadersAndFooterAtItsHeight)
{
    Rows rows({3, 1});
    auto *footer = new QWidget;
    rows.footer = footer;
    show(rows);

    const QRect first = table.cellForRowAtIndexPath({0, 0})->geometry();
    const QRect last = table.cellForRowAtIndexPath({0, 2})->geometry();
    const QRect second = table.cellForRowAtIndexPath({1, 0})->geometry();
    EXPECT_EQ(first.height(), 44);
    EXPECT_EQ(last.top() - first.top(), 88);
    EXPECT_EQ(footer->geometry().top(), last.bottom() + 1);
    EXPECT_EQ(footer->height(), 60);
    EXPECT_EQ(footer->width(), table.viewport()->width());
    // The titled header sits between the footer and the next group.
    EXPECT_GT(second.top(), footer->geometry().bottom() + 20);
    EXPECT_EQ(first.width(), table.cellWidth());
    using G = TableViewCell::GroupPosition;
    for (auto [at, position] : {std::pair{IndexPath{0, 0}, G::First},
                                {{0, 1}, G::Middle},
                                {{0, 2}, G::Last},
                                {{1, 0}, G::Only}})
        EXPECT_EQ(table.cellForRowAtIndexPath(at)->groupPosition(), position) << at.row;
    const QList<QLabel *> labels =
        table.widget()->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0]->text(), QStringLiteral("SECOND"));
}

TEST_F(TableViewTest, ClickSelectsTheRowAndTellsTheDelegateDeselectClearsIt)
{
    Rows rows({3, 1});
    show(rows);
    TableViewCell *cell = table.cellForRowAtIndexPath({0, 1});
    QTest::mouseClick(cell, Qt::LeftButton, {}, QPoint(40, 20));

    ASSERT_EQ(rows.selections.size(), 1u);
    EXPECT_EQ(rows.selections[0], (IndexPath{0, 1}));
    EXPECT_EQ(table.indexPathForSelectedRow(), (IndexPath{0, 1}));
    EXPECT_TRUE(cell->isSelected());

    table.deselectRowAtIndexPath({0, 1}, true);
    EXPECT_FALSE(cell->isSelected());
    EXPECT_FALSE(table.indexPathForSelectedRow().isValid());
}

TEST_F(TableViewTest, ClickOnARowsSwitchFlipsItWithoutSelectingTheRow)
{
    Rows rows({3});
    show(rows);
    Switch *control = rows.switches[2].get();
    QSignalSpy changed(control, &Switch::valueChanged);
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(80, 13));

    EXPECT_TRUE(control->isOn());
    ASSERT_EQ(changed.size(), 1);
    EXPECT_TRUE(changed[0][0].toBool());
    EXPECT_TRUE(rows.selections.empty());
    EXPECT_FALSE(table.indexPathForSelectedRow().isValid());
}

TEST(SwitchTest, SetOnIsQuiet)
{
    Switch control;
    QSignalSpy changed(&control, &Switch::valueChanged);
    control.setOn(true);
    EXPECT_TRUE(control.isOn());
    control.setOn(false, true);
    EXPECT_FALSE(control.isOn());
    EXPECT_EQ(changed.size(), 0);
}

} // namespace

#include "TableView.h"

#include "TableViewCell.h"

#include <QLabel>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSet>

#include <algorithm>

namespace {

constexpr int groupMargin = 10;  // between a group and the table's sides
constexpr int headerHeight = 38; // a titled header: the gap above plus the title
constexpr int sectionGap = 10;   // above an untitled group, and under every footer
const QColor backgroundColor(0xef, 0xef, 0xf4);
const QColor captionColor(0x6d, 0x6d, 0x72);

QLabel *caption(const QString &text, QWidget *parent, int pixelSize)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, captionColor);
    label->setPalette(palette);
    label->setWordWrap(true);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->show();
    return label;
}

TableViewCell::GroupPosition positionOf(int row, int rows)
{
    if (rows == 1)
        return TableViewCell::GroupPosition::Only;
    if (row == 0)
        return TableViewCell::GroupPosition::First;
    return row == rows - 1 ? TableViewCell::GroupPosition::Last
                           : TableViewCell::GroupPosition::Middle;
}

} // namespace

int TableViewDataSource::numberOfSectionsInTableView(TableView *)
{
    return 1;
}

QString TableViewDataSource::titleForHeaderInSection(TableView *, int)
{
    return {};
}

QString TableViewDataSource::titleForFooterInSection(TableView *, int)
{
    return {};
}

void TableViewDelegate::didSelectRowAtIndexPath(TableView *, const IndexPath &) {}

QWidget *TableViewDelegate::viewForFooterInSection(TableView *, int)
{
    return nullptr;
}

int TableViewDelegate::heightForFooterInSection(TableView *, int)
{
    return -1;
}

TableView::TableView(QWidget *parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
    m_content = new QWidget;
    m_content->setAutoFillBackground(true);
    QPalette palette = m_content->palette();
    palette.setColor(QPalette::Window, backgroundColor);
    m_content->setPalette(palette);
    viewport()->setPalette(palette);
    viewport()->setAutoFillBackground(true);
    setWidget(m_content);
    // A slim bar over the margin, as a phone's scroll indicator, so rows keep their width.
    verticalScrollBar()->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical { width: 6px; background: transparent; margin: 2px 0 2px 0; }"
        "QScrollBar::handle:vertical { background: rgba(0, 0, 0, 90); border-radius: 2px;"
        " min-height: 24px; margin: 0 1px 0 1px; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
}

TableView::~TableView() = default;

void TableView::setDataSource(TableViewDataSource *dataSource)
{
    m_dataSource = dataSource;
}

void TableView::setDelegate(TableViewDelegate *delegate)
{
    m_delegate = delegate;
}

int TableView::numberOfRowsInSection(int section) const
{
    return section >= 0 && section < m_sections.size() ? m_sections[section].cells.size() : 0;
}

TableViewCell *TableView::cellForRowAtIndexPath(const IndexPath &indexPath) const
{
    if (indexPath.row < 0 || indexPath.row >= numberOfRowsInSection(indexPath.section))
        return nullptr;
    return m_sections[indexPath.section].cells[indexPath.row];
}

IndexPath TableView::indexPathForCell(const TableViewCell *cell) const
{
    if (!cell)
        return {};
    for (int s = 0; s < m_sections.size(); ++s) {
        const int row = m_sections[s].cells.indexOf(cell);
        if (row >= 0)
            return {s, row};
    }
    return {};
}

TableViewCell *TableView::dequeueReusableCellWithIdentifier(const QString &identifier)
{
    QList<QPointer<TableViewCell>> &pool = m_reusable[identifier];
    while (!pool.isEmpty()) {
        TableViewCell *cell = pool.takeLast();
        if (cell)
            return cell;
    }
    return nullptr;
}

// Takes every cell off the rows. Reusable ones wait in their pool; the others stay hidden
// children of the table until their owner shows them again or deletes them.
void TableView::clearSections()
{
    for (Section &section : m_sections) {
        delete section.header;
        delete section.footerText;
        if (section.footerView)
            section.footerView->hide();
        for (const QPointer<TableViewCell> &cell : section.cells) {
            if (!cell)
                continue;
            cell->hide();
            cell->setSelected(false);
            cell->setHighlighted(false);
            disconnect(cell, &TableViewCell::tapped, this, &TableView::cellTapped);
            if (!cell->reuseIdentifier().isEmpty())
                m_reusable[cell->reuseIdentifier()].append(cell);
        }
    }
    m_sections.clear();
    m_selected = {};
}

void TableView::reloadData()
{
    // A data source that reloads while it is being asked would pull the rows from under us.
    if (m_reloading)
        return;
    m_reloading = true;
    m_loaded = true;
    clearSections();
    if (m_dataSource) {
        const int sections = std::max(0, m_dataSource->numberOfSectionsInTableView(this));
        QSet<const TableViewCell *> placed;
        for (int s = 0; s < sections; ++s) {
            Section section;
            const QString header = m_dataSource->titleForHeaderInSection(this, s);
            if (!header.isEmpty())
                section.header = caption(header.toUpper(), m_content, 13);
            const int rows = std::max(0, m_dataSource->numberOfRowsInSection(this, s));
            for (int r = 0; r < rows; ++r) {
                TableViewCell *cell = m_dataSource->cellForRowAtIndexPath(this, {s, r});
                // One widget can only be in one place: a cell handed out for two rows
                // stays in the first and leaves the second empty.
                if (cell && placed.contains(cell))
                    cell = nullptr;
                if (cell) {
                    placed.insert(cell);
                    for (QList<QPointer<TableViewCell>> &pool : m_reusable)
                        pool.removeAll(cell);
                    cell->setParent(m_content);
                    cell->setGroupPosition(positionOf(r, rows));
                    connect(cell, &TableViewCell::tapped, this, &TableView::cellTapped,
                            Qt::UniqueConnection);
                    cell->show();
                }
                section.cells.append(cell);
            }
            if (m_delegate) {
                section.footerView = m_delegate->viewForFooterInSection(this, s);
                section.footerHeight = m_delegate->heightForFooterInSection(this, s);
            }
            if (section.footerView) {
                section.footerView->setParent(m_content);
                section.footerView->show();
            } else {
                const QString footer = m_dataSource->titleForFooterInSection(this, s);
                if (!footer.isEmpty()) {
                    section.footerText = caption(footer, m_content, 13);
                    section.footerText->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
                }
            }
            m_sections.append(section);
        }
    }
    m_reloading = false;
    layoutContent();
}

int TableView::cellWidth() const
{
    // The slim scroll bar sits in the right margin rather than narrowing the rows.
    const int bar = verticalScrollBar()->isVisible() ? verticalScrollBar()->width() : 0;
    return std::max(0, viewport()->width() + bar - 2 * groupMargin);
}

void TableView::setContentInsetTop(int inset)
{
    m_insetTop = std::max(0, inset);
    layoutContent();
}

void TableView::layoutContent()
{
    const int width = viewport()->width();
    const int rowWidth = cellWidth();
    int y = m_insetTop;
    for (Section &section : m_sections) {
        if (section.header) {
            section.header->setGeometry(groupMargin + 15, y + headerHeight - 24, rowWidth - 30, 18);
            y += headerHeight;
        } else {
            y += sectionGap;
        }
        for (const QPointer<TableViewCell> &cell : section.cells) {
            if (cell)
                cell->setGeometry(groupMargin, y, rowWidth, TableViewCell::Height);
            y += TableViewCell::Height;
        }
        if (section.footerView) {
            const int height =
                section.footerHeight >= 0 ? section.footerHeight : section.footerView->height();
            section.footerView->setGeometry(0, y, width, height);
            y += height;
        } else if (section.footerText) {
            const int height = section.footerText->heightForWidth(rowWidth - 30);
            section.footerText->setGeometry(groupMargin + 15, y + 6, rowWidth - 30, height);
            y += height + 6;
        }
    }
    m_content->resize(width, y + sectionGap);
    m_laidOutWidth = width;
}

void TableView::selectRowAtIndexPath(const IndexPath &indexPath, bool animated)
{
    TableViewCell *cell = cellForRowAtIndexPath(indexPath);
    if (!cell)
        return;
    if (indexPath != m_selected)
        deselectRowAtIndexPath(m_selected, false);
    cell->setSelected(true, animated);
    m_selected = indexPath;
}

void TableView::deselectRowAtIndexPath(const IndexPath &indexPath, bool animated)
{
    if (TableViewCell *cell = cellForRowAtIndexPath(indexPath))
        cell->setSelected(false, animated);
    if (indexPath == m_selected)
        m_selected = {};
}

void TableView::cellTapped(TableViewCell *cell)
{
    const IndexPath indexPath = indexPathForCell(cell);
    if (!indexPath.isValid())
        return;
    selectRowAtIndexPath(indexPath, false);
    // Last: the delegate may reload the table or take it down.
    if (m_delegate)
        m_delegate->didSelectRowAtIndexPath(this, indexPath);
}

void TableView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    // Rows place their controls for the width they are given, so a new width asks again.
    if (m_loaded && viewport()->width() != m_laidOutWidth) {
        const IndexPath selected = m_selected;
        reloadData();
        selectRowAtIndexPath(selected, false);
    }
}

void TableView::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    if (!m_loaded)
        reloadData();
}

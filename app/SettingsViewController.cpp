#include "SettingsViewController.h"

#include "PhotoSettings.h"
#include "Switch.h"
#include "TableViewCell.h"
#include "View.h"
#include "ui_SettingsView.h"

namespace {

const QString CellIdentifier = QStringLiteral("Cell");

const char *const optionTexts[] = {"Enable Animation", "Continuously Preview",
                                   "Left Hand Operation"};
const char *const photoSizeTexts[] = {"Full Size (1600 x 1200)", "Medium Size (1024 x 768)",
                                      "Web Size (640 x 480)"};
const char *const editorTexts[] = {"Split Screen", "Hover Preview"};

// The switch sits 8 below the row's top, 94 × 27, ending 10 before the row's right edge
// (x 196 in a 300-wide row); wider windows keep that right margin.
constexpr int switchRightGap = 104;

} // namespace

SettingsViewController::SettingsViewController(QObject *parent) : TableViewController(parent)
{
    setTitle(QStringLiteral("Settings"));
}

SettingsViewController::~SettingsViewController() = default;

void SettingsViewController::loadView()
{
    auto *root = new QWidget;
    m_ui = std::make_unique<Ui::SettingsView>();
    m_ui->setupUi(root);
    for (Switch *control : {m_ui->animationSwitch, m_ui->updateSwitch, m_ui->leftHandSwitch})
        control->hide();
    connect(m_ui->animationSwitch, &Switch::valueChanged, this,
            &SettingsViewController::switchAnimation);
    connect(m_ui->updateSwitch, &Switch::valueChanged, this, &SettingsViewController::switchUpdate);
    connect(m_ui->leftHandSwitch, &Switch::valueChanged, this,
            &SettingsViewController::switchLeftHand);
    setView(root);
    setTableView(m_ui->tableView);
}

void SettingsViewController::viewDidLoad()
{
    TableViewController::viewDidLoad();
    setTitle(QStringLiteral("Settings"));
}

Switch *SettingsViewController::animationSwitch()
{
    view();
    return m_ui->animationSwitch;
}

Switch *SettingsViewController::updateSwitch()
{
    view();
    return m_ui->updateSwitch;
}

Switch *SettingsViewController::leftHandSwitch()
{
    view();
    return m_ui->leftHandSwitch;
}

Switch *SettingsViewController::optionSwitch(int row)
{
    switch (row) {
    case 0:
        return animationSwitch();
    case 1:
        return updateSwitch();
    case 2:
        return leftHandSwitch();
    default:
        return nullptr;
    }
}

int SettingsViewController::numberOfSectionsInTableView(TableView *)
{
    return 3;
}

int SettingsViewController::numberOfRowsInSection(TableView *, int section)
{
    switch (section) {
    case 0:
    case 1:
        return 3;
    case 2:
        return 2;
    default:
        return 0;
    }
}

QString SettingsViewController::titleForHeaderInSection(TableView *, int section)
{
    switch (section) {
    case 1:
        return QStringLiteral("Photo Size");
    case 2:
        return QStringLiteral("Editor");
    default:
        return {};
    }
}

TableViewCell *SettingsViewController::cellForRowAtIndexPath(TableView *,
                                                             const IndexPath &indexPath)
{
    switch (indexPath.section) {
    case 0:
        return getOptionCell(indexPath.row);
    case 1:
        return getPhotoSizeCell(indexPath.row);
    case 2:
        return getEditorCell(indexPath.row);
    default:
        return nullptr;
    }
}

void SettingsViewController::didSelectRowAtIndexPath(TableView *tableView,
                                                     const IndexPath &indexPath)
{
    tableView->deselectRowAtIndexPath(indexPath, true);
    if (indexPath.section == 1)
        enterPhotosize(indexPath.row);
    else if (indexPath.section == 2)
        enterEditor(indexPath.row);
}

TableViewCell *SettingsViewController::getOptionCell(int row)
{
    TableView *table = tableView();
    TableViewCell *cell = table->dequeueReusableCellWithIdentifier(CellIdentifier);
    if (!cell)
        cell = new TableViewCell(CellIdentifier, table);
    Switch *control = optionSwitch(row);
    if (!control)
        return cell;
    cell->setText(QString::fromLatin1(optionTexts[row]));
    cell->setAccessoryType(TableViewCell::AccessoryNone);
    // The switch leaves whichever cell showed it last, so it is never in two rows.
    View::removeFromSuperview(control);
    View::setFrame(control, QRectF(table->cellWidth() - switchRightGap, 8, 94, 27));
    if (const PhotoSettings *store = PhotoSettings::settings()) {
        const bool on[] = {store->animation(), store->update(), store->lefthand()};
        control->setOn(on[row]);
    }
    View::addSubview(cell->contentView(), control);
    control->show();
    return cell;
}

TableViewCell *SettingsViewController::choiceCell(QPointer<TableViewCell> &cell,
                                                  const QString &text, bool checked)
{
    if (!cell)
        cell = new TableViewCell(QString(), tableView());
    cell->setText(text);
    cell->setAccessoryType(checked ? TableViewCell::AccessoryCheckmark
                                   : TableViewCell::AccessoryNone);
    return cell;
}

TableViewCell *SettingsViewController::getPhotoSizeCell(int row)
{
    if (row < 0 || row > 2)
        return nullptr;
    const PhotoSettings *store = PhotoSettings::settings();
    return choiceCell(m_photoSizeCells[row], QString::fromLatin1(photoSizeTexts[row]),
                      store && store->photoSize() == row);
}

TableViewCell *SettingsViewController::getEditorCell(int row)
{
    if (row < 0 || row > 1)
        return nullptr;
    const PhotoSettings *store = PhotoSettings::settings();
    return choiceCell(m_editorCells[row], QString::fromLatin1(editorTexts[row]),
                      store && store->uiType() == row);
}

void SettingsViewController::enterPhotosize(int row)
{
    PhotoSettings *store = PhotoSettings::settings();
    if (row < 0 || row > 2 || !store)
        return;
    store->setPhotoSize(row);
    for (int r = 0; r < 3; ++r)
        getPhotoSizeCell(r);
}

void SettingsViewController::enterEditor(int row)
{
    PhotoSettings *store = PhotoSettings::settings();
    if (row < 0 || row > 1 || !store)
        return;
    store->setUiType(row);
    for (int r = 0; r < 2; ++r)
        getEditorCell(r);
}

void SettingsViewController::switchAnimation()
{
    if (PhotoSettings *store = PhotoSettings::settings())
        store->setAnimation(animationSwitch()->isOn());
}

void SettingsViewController::switchUpdate()
{
    if (PhotoSettings *store = PhotoSettings::settings())
        store->setUpdate(updateSwitch()->isOn());
}

void SettingsViewController::switchLeftHand()
{
    if (PhotoSettings *store = PhotoSettings::settings())
        store->setLefthand(leftHandSwitch()->isOn());
}

#include "RootViewController.h"

#include "AboutController.h"
#include "HelpController.h"
#include "ImageResizer.h"
#include "ImageTableViewCell.h"
#include "ImageView.h"
#include "NavigationBar.h"
#include "NavigationStack.h"
#include "PhotoSettings.h"
#include "PhotoViewController.h"
#include "PictureSource.h"
#include "SettingsViewController.h"
#include "TableView.h"

#include "ui_MainWindow.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QtGlobal>

namespace {

constexpr int kEditSection = 1;
constexpr int kScreensSection = 2;

// The menu's rows in table order: (section, row) → index into the cells.
constexpr int kRowsBefore[] = {0, 1, 4};
constexpr int kRowsIn[] = {1, 3, 3};

// The row pictures, in the order of the cells after the continue row.
const char *const kRowIcons[] = {":/icons/camera.png",        ":/icons/saved-photos.png",
                                 ":/icons/photo-library.png", ":/icons/settings.png",
                                 ":/icons/help.png",          ":/icons/about.png"};

} // namespace

// The row pictures are built into the library; a static library must ask for them.
static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
}

RootViewController::RootViewController(QObject *parent)
    : TableViewController(parent), m_sourceAvailable(&PictureSource::isSourceTypeAvailable)
{
    initIconResources();
    m_font.setBold(true);
    m_font.setPixelSize(17); // points on the phone are pixels here

    m_layout = std::make_unique<QWidget>();
    Ui::MainWindow ui;
    ui.setupUi(m_layout.get());
    m_cells = {ui.continueCell, ui.cameraCell, ui.cameraRollCell, ui.photoAlbumsCell,
               ui.settingsCell, ui.helpCell,   ui.aboutCell};
    m_menuButton = ui.menuButton;
    // A row's icon is a label over the cell's picture: a Picture is opaque and would turn the
    // icon's transparent corners black. The icon's @2x file serves high-density screens.
    for (int i = 1; i < m_cells.size(); ++i) {
        auto *icon = new QLabel(m_cells[i]->imageView());
        icon->resize(m_cells[i]->imageView()->size());
        icon->setPixmap(QIcon(QString::fromLatin1(kRowIcons[i - 1])).pixmap(icon->size()));
    }
}

RootViewController::~RootViewController()
{
    // The cells may sit in the table; the table goes with the root view, before the layout.
    for (ImageTableViewCell *cell : m_cells)
        cell->setParent(m_layout.get());
}

void RootViewController::setSourceAvailability(SourceAvailability availability)
{
    m_sourceAvailable = std::move(availability);
}

double RootViewController::systemVersion()
{
    return QString::fromLatin1(qVersion()).section(QLatin1Char('.'), 0, 1).toDouble();
}

ImageTableViewCell *RootViewController::cell(const IndexPath &indexPath)
{
    if (indexPath.section < 0 || indexPath.section > 2 || indexPath.row < 0 ||
        indexPath.row >= kRowsIn[indexPath.section])
        return nullptr;
    return m_cells.value(kRowsBefore[indexPath.section] + indexPath.row);
}

ImagePickerController *RootViewController::imagePickerController()
{
    if (!m_imagePickerController) {
        m_imagePickerController = std::make_unique<ImagePickerController>();
        m_imagePickerController->setDelegate(this);
    }
    return m_imagePickerController.get();
}

void RootViewController::viewDidLoad()
{
    TableViewController::viewDidLoad();
    navigationItem().backBarButtonItem = m_menuButton;
    setTitle(QStringLiteral("Velmora"));
    // The editor hands its picture over as it goes, after the menu has begun to appear.
    if (PhotoSettings *settings = PhotoSettings::settings())
        connect(settings, &PhotoSettings::imageChanged, this, &RootViewController::showLastPicture);
}

void RootViewController::viewWillAppear(bool animated)
{
    TableViewController::viewWillAppear(animated);
    for (ImageTableViewCell *cell : m_cells)
        cell->label()->setFont(m_font);
    refreshMenu();
}

bool RootViewController::shouldAutorotateToInterfaceOrientation(int orientation)
{
    return orientation == Portrait;
}

void RootViewController::refreshMenu()
{
    showLastPicture();
    const bool camera = m_sourceAvailable(PictureSource::Camera);
    m_cells[1]->enable(camera);
    m_cells[2]->setText(camera ? QStringLiteral("Camera Roll") : QStringLiteral("Saved Photos"));
}

void RootViewController::showLastPicture()
{
    const PhotoSettings *settings = PhotoSettings::settings();
    const Picture image = settings != nullptr ? settings->image() : Picture();
    ImageTableViewCell *continueCell = m_cells[0];
    continueCell->enable(!image.isNull());
    continueCell->setImage(image.isNull() ? Picture()
                                          : ImageResizer::resizeImage(image, 32, 32, true, true));
}

int RootViewController::numberOfSectionsInTableView(TableView *)
{
    return 3;
}

int RootViewController::numberOfRowsInSection(TableView *, int section)
{
    return section >= 0 && section < 3 ? kRowsIn[section] : 0;
}

TableViewCell *RootViewController::cellForRowAtIndexPath(TableView *, const IndexPath &indexPath)
{
    return cell(indexPath);
}

QString RootViewController::titleForHeaderInSection(TableView *, int section)
{
    return section == kEditSection ? QStringLiteral("Edit Photo") : QString();
}

void RootViewController::didSelectRowAtIndexPath(TableView *tableView, const IndexPath &indexPath)
{
    tableView->deselectRowAtIndexPath(indexPath, true);
    switch (indexPath.section) {
    case 0:
        if (const PhotoSettings *settings = PhotoSettings::settings();
            settings != nullptr && !settings->image().isNull())
            editPhoto(settings->image(), true);
        break;
    case kEditSection: {
        static constexpr int kSources[] = {PictureSource::Camera, PictureSource::SavedPhotosAlbum,
                                           PictureSource::PhotoLibrary};
        if (indexPath.row >= 0 && indexPath.row < 3)
            promptPhoto(kSources[indexPath.row]);
        break;
    }
    case kScreensSection:
        if (indexPath.row == 0) {
            if (!m_settingsViewController)
                m_settingsViewController = std::make_unique<SettingsViewController>();
            push(m_settingsViewController.get());
        } else if (indexPath.row == 1) {
            showHelp();
        } else if (indexPath.row == 2) {
            if (!m_aboutController)
                m_aboutController = std::make_unique<AboutController>();
            configureAboutController();
            push(m_aboutController.get());
        }
        break;
    default:
        break;
    }
}

void RootViewController::push(ViewController *controller)
{
    if (NavigationStack *stack = navigationController())
        stack->pushViewController(controller, true);
}

void RootViewController::showHelp()
{
    if (!m_helpController)
        m_helpController = std::make_unique<HelpController>();
    push(m_helpController.get());
}

void RootViewController::configureAboutController()
{
    if (!m_aboutController)
        return;
    m_aboutController->setAppName(QStringLiteral("Velmora 1600"));
    m_aboutController->setAppId(QStringLiteral(VELMORA_STORE_ID));
}

void RootViewController::promptPhoto(int sourceType)
{
    if (!m_sourceAvailable(sourceType))
        return;
    ImagePickerController *picker = imagePickerController();
    picker->setSourceType(sourceType);
    const PhotoSettings *settings = PhotoSettings::settings();
    const int photoSize = settings != nullptr ? settings->photoSize() : 0;
    picker->setAllowsImageEditing(sourceType != PictureSource::Camera && photoSize != 2);
    picker->setFitBox(PhotoViewController::workingBox());
    if (systemVersion() > 2.19)
        picker->setAllowsImageEditing(false);
    if (NavigationStack *around = picker->navigationController())
        around->navigationBar()->setBarStyle(NavigationBar::Default);
    if (NavigationStack *stack = navigationController())
        stack->presentModalViewController(picker, true);
}

void RootViewController::dismissPicker(ImagePickerController *picker)
{
    if (ViewController *parent = picker->parentViewController()) {
        if (auto *stack = qobject_cast<NavigationStack *>(parent))
            stack->dismissModalViewControllerAnimated(true);
    }
}

void RootViewController::imagePickerController(ImagePickerController *picker,
                                               const Picture &picture,
                                               const ImagePickerEditingInfo &editingInfo)
{
    dismissPicker(picker);
    editPhoto(editingInfo.originalImage.isNull() ? picture : editingInfo.originalImage, false);
}

void RootViewController::imagePickerControllerDidCancel(ImagePickerController *picker)
{
    dismissPicker(picker);
}

void RootViewController::editPhoto(const Picture &image, bool colorMatched)
{
    const PhotoSettings *settings = PhotoSettings::settings();
    const QString layout = settings != nullptr && settings->uiType() == 0
                               ? PhotoViewController::kSplitPhotoView
                               : PhotoViewController::kPhotoView;
    NavigationStack *stack = navigationController();
    // One editor at a time on the stack: a picture opened while it shows starts from the menu.
    if (stack != nullptr && stack->topViewController() != this)
        stack->popToRootViewControllerAnimated(false);
    if (m_photoViewController && m_photoViewController->layoutName() != layout)
        m_photoViewController.reset();
    if (!m_photoViewController)
        m_photoViewController = std::make_unique<PhotoViewController>(layout);
    push(m_photoViewController.get());
    m_photoViewController->editPhoto(image, colorMatched);
}

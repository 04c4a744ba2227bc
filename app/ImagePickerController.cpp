#include "ImagePickerController.h"

#include "ImageFile.h"
#include "Log.h"
#include "MessageBanner.h"
#include "PhotoAlbum.h"
#include "PhotoSettings.h"
#include "View.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>

#ifdef VELMORA_HAVE_MULTIMEDIA
#include <QCamera>
#include <QImageCapture>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QVideoFrame>
#include <QVideoSink>
#endif

namespace {

constexpr int thumbnailSize = 82;

QLabel *message(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x6d, 0x6d, 0x72));
    label->setPalette(palette);
    return label;
}

QIcon thumbnail(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    // A file that claims an enormous picture gets no thumbnail rather than all the memory.
    if (!size.isValid() || qint64(size.width()) * size.height() > ImageFile::kMaxPixels)
        return QIcon();
    // Square tiles, filled and centred, as a photo grid shows them.
    reader.setScaledSize(size.scaled(thumbnailSize, thumbnailSize, Qt::KeepAspectRatioByExpanding));
    const QImage image = reader.read();
    const QRect tile((image.width() - thumbnailSize) / 2, (image.height() - thumbnailSize) / 2,
                     thumbnailSize, thumbnailSize);
    return QIcon(QPixmap::fromImage(image.copy(tile)));
}

// What the picker shows under its bar: a prompt for a file, the album's pictures or the
// camera's live picture, rebuilt each time the picker appears for its current source.
class PickerPage : public ViewController
{
public:
    explicit PickerPage(ImagePickerController *picker) : ViewController(picker), m_picker(picker) {}

    void showSource(int sourceType)
    {
        QWidget *root = view();
        delete m_body;
        m_body = new QWidget(root);
        auto *layout = new QVBoxLayout(m_body);
        layout->setContentsMargins(20, 20, 20, 20);
        switch (sourceType) {
        case PictureSource::PhotoLibrary:
            showLibrary(layout);
            break;
        case PictureSource::SavedPhotosAlbum:
            showAlbum(layout);
            break;
        case PictureSource::Camera:
            showCamera(layout);
            break;
        default:
            layout->addWidget(
                message(QStringLiteral("This picture source is not available."), m_body));
        }
        m_body->setGeometry(root->rect());
        m_body->show();
    }

protected:
    void loadView() override
    {
        auto *root = new QWidget;
        root->setObjectName(QStringLiteral("pickerPage"));
        root->setAutoFillBackground(true);
        setView(root);
        root->installEventFilter(&m_resizer);
        m_resizer.page = this;
    }

private:
    struct Resizer : QObject
    {
        PickerPage *page = nullptr;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Resize && page->m_body)
                page->m_body->setGeometry(static_cast<QWidget *>(watched)->rect());
            return false;
        }
    };

    // A file browser in the page itself, so it has the window's size and place; its Open
    // picks, its Cancel cancels the picker.
    void showLibrary(QVBoxLayout *layout)
    {
        layout->setContentsMargins(0, 0, 0, 0);
        auto *browser = new QFileDialog(m_body);
        browser->setWindowFlags(Qt::Widget); // a dialog otherwise, whatever flags it is given
        browser->setObjectName(QStringLiteral("photoBrowser"));
        browser->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
        browser->setFileMode(QFileDialog::ExistingFile);
        browser->setViewMode(QFileDialog::List);
        browser->setSizeGripEnabled(false);
        browser->setNameFilters(
            {PictureSource::imageFileFilter(), QStringLiteral("All files (*)")});
        browser->setDirectory(m_picker->libraryFolder());
        browser->setLabelText(QFileDialog::FileName, QStringLiteral("Photo:"));
        // A phone-wide window has no room for the places list beside the files.
        if (auto *places = browser->findChild<QWidget *>(QStringLiteral("sidebar")))
            places->hide();
        if (auto *name = browser->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->clear();
        // The bar has Cancel; folders are for browsing here, not for making.
        for (const char *spare :
             {"lookInLabel", "newFolderButton", "listModeButton", "detailModeButton"}) {
            if (auto *widget = browser->findChild<QWidget *>(QLatin1String(spare)))
                widget->hide();
        }
        if (auto *buttons = browser->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))) {
            if (QPushButton *cancel = buttons->button(QDialogButtonBox::Cancel))
                cancel->hide();
        }
        // Alt+Left leaves the picker, as it leaves any screen; its own would make it ambiguous.
        if (auto *back = browser->findChild<QToolButton *>(QStringLiteral("backButton")))
            back->setShortcut(QKeySequence());
        QObject::connect(browser, &QFileDialog::fileSelected, m_picker,
                         [picker = m_picker](const QString &path) { picker->pick(path); });
        QObject::connect(browser, &QFileDialog::rejected, m_picker,
                         &ImagePickerController::cancelPicking);
        // A pick the picker refused (a damaged file) leaves the browser open for another.
        QObject::connect(browser, &QFileDialog::finished, browser, &QWidget::show);
        layout->addWidget(browser);
    }

    void showAlbum(QVBoxLayout *layout)
    {
        const QStringList pictures =
            PictureSource::savedPhotos(PhotoAlbum(m_picker->albumFolder()));
        if (pictures.isEmpty()) {
            layout->addWidget(message(QStringLiteral("No saved photos yet.\nPhotos you save in "
                                                     "the editor appear here."),
                                      m_body));
            return;
        }
        layout->setContentsMargins(4, 4, 4, 4);
        auto *grid = new QListWidget(m_body);
        grid->setObjectName(QStringLiteral("savedPhotos"));
        grid->setViewMode(QListView::IconMode);
        grid->setIconSize(QSize(thumbnailSize, thumbnailSize));
        grid->setGridSize(QSize(thumbnailSize + 4, thumbnailSize + 4));
        grid->setSpacing(0);
        grid->setMovement(QListView::Static);
        grid->setResizeMode(QListView::Adjust);
        grid->setFrameShape(QFrame::NoFrame);
        // Newest first, as an album shows them.
        for (auto it = pictures.crbegin(); it != pictures.crend(); ++it) {
            auto *item = new QListWidgetItem(thumbnail(*it), QString(), grid);
            item->setData(Qt::UserRole, *it);
            item->setToolTip(QFileInfo(*it).fileName());
        }
        QObject::connect(grid, &QListWidget::itemClicked, m_picker,
                         [picker = m_picker](QListWidgetItem *item) {
                             picker->pick(item->data(Qt::UserRole).toString());
                         });
        layout->addWidget(grid);
    }

    void showCamera(QVBoxLayout *layout)
    {
#ifdef VELMORA_HAVE_MULTIMEDIA
        if (PictureSource::cameraAvailable()) {
            auto *preview = new QLabel(m_body);
            preview->setAlignment(Qt::AlignCenter);
            preview->setMinimumSize(160, 120);
            preview->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
            auto *take = new QPushButton(QStringLiteral("Take Photo"), m_body);
            layout->addWidget(preview, 1);
            layout->addWidget(take, 0, Qt::AlignHCenter);

            auto *session = new QMediaCaptureSession(m_body);
            auto *camera = new QCamera(QMediaDevices::defaultVideoInput(), m_body);
            auto *capture = new QImageCapture(m_body);
            auto *sink = new QVideoSink(m_body);
            auto *folder = new QTemporaryDir;
            QObject::connect(m_body, &QObject::destroyed, [folder] { delete folder; });
            session->setCamera(camera);
            session->setImageCapture(capture);
            session->setVideoOutput(sink);
            QObject::connect(
                sink, &QVideoSink::videoFrameChanged, preview, [preview](const QVideoFrame &frame) {
                    preview->setPixmap(QPixmap::fromImage(frame.toImage())
                                           .scaled(preview->size(), Qt::KeepAspectRatio));
                });
            QObject::connect(take, &QPushButton::clicked, capture, [capture, folder] {
                capture->captureToFile(folder->filePath(QStringLiteral("camera.jpg")));
            });
            // The photo is read back like any other file, with the same errors.
            QObject::connect(
                capture, &QImageCapture::imageSaved, m_picker,
                [picker = m_picker](int, const QString &fileName) { picker->pick(fileName); });
            QObject::connect(
                capture, &QImageCapture::errorOccurred, m_picker,
                [picker = m_picker](int, QImageCapture::Error, const QString &why) {
                    picker->reportError(
                        QStringLiteral("The camera could not take the photo (%1).").arg(why));
                });
            camera->start();
            return;
        }
#endif
        layout->addWidget(message(QStringLiteral("No camera is available."), m_body));
    }

    ImagePickerController *m_picker;
    QPointer<QWidget> m_body;
    Resizer m_resizer;
};

QString sourceTitle(int sourceType)
{
    switch (sourceType) {
    case PictureSource::SavedPhotosAlbum:
        return QStringLiteral("Saved Photos");
    case PictureSource::Camera:
        return QStringLiteral("Camera");
    default:
        return QStringLiteral("Photos");
    }
}

} // namespace

ImagePickerController::ImagePickerController(QObject *parent) : NavigationStack(nullptr, parent)
{
    m_page = new PickerPage(this);
    m_page->setTitle(sourceTitle(m_sourceType));
    auto *cancelAction = new QAction(QStringLiteral("Cancel"), this);
    connect(cancelAction, &QAction::triggered, this, &ImagePickerController::cancelPicking);
    m_page->navigationItem().rightBarButtonItem = cancelAction;
    NavigationStack::pushViewController(m_page, false);
}

ImagePickerController::~ImagePickerController() = default;

void ImagePickerController::setSourceType(int sourceType)
{
    m_sourceType = sourceType;
    m_page->setTitle(sourceTitle(sourceType));
}

QString ImagePickerController::albumFolder() const
{
    return m_albumFolder.isEmpty() ? PhotoAlbum::defaultFolder() : m_albumFolder;
}

QString ImagePickerController::libraryFolder() const
{
    if (!m_libraryFolder.isEmpty())
        return m_libraryFolder;
    const PhotoSettings *settings = PhotoSettings::settings();
    // A folder that is gone would leave its name typed into the browser's name field.
    for (const QString &folder :
         {settings != nullptr ? settings->lastFolder() : QString(),
          QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)}) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}

QFileDialog *ImagePickerController::fileDialog() const
{
    return m_page->isViewLoaded()
               ? m_page->view()->findChild<QFileDialog *>(QStringLiteral("photoBrowser"))
               : nullptr;
}

bool ImagePickerController::pick(const QString &path)
{
    const PictureSource::LoadResult result =
        PictureSource::load(m_sourceType, path, m_loader, m_fitBox);
    if (!result.ok()) {
        reportError(result.error);
        return false;
    }
    if (m_sourceType == PictureSource::PhotoLibrary) {
        if (PhotoSettings *settings = PhotoSettings::settings())
            settings->setLastFolder(QFileInfo(path).absolutePath());
    }
    finish(result.picture);
    return true;
}

void ImagePickerController::reportError(const QString &message)
{
    MessageBanner::showMessage(view(), message);
}

void ImagePickerController::cancelPicking()
{
    if (m_delegate)
        m_delegate->imagePickerControllerDidCancel(this);
}

void ImagePickerController::finish(const Picture &picture)
{
    ImagePickerEditingInfo info;
    if (m_allowsImageEditing)
        info.originalImage = picture;
    if (m_delegate)
        m_delegate->imagePickerController(this, picture, info);
}

QWidget *ImagePickerController::view(QWidget *view, const QString &type, QWidget *superViewIs) const
{
    if (!view || (superViewIs && View::superview(view) != superViewIs))
        return nullptr;
    return description(view).contains(type) ? view : nullptr;
}

QString ImagePickerController::description(const QWidget *view)
{
    const QString name = QString::fromLatin1(view->metaObject()->className());
    return view->objectName().isEmpty() ? name : name + QLatin1Char(' ') + view->objectName();
}

void ImagePickerController::recognizeView(QWidget *, QWidget *, const QString &) {}

void ImagePickerController::parseView(QWidget *view, QWidget *superview, int level)
{
    if (!view)
        return;
    const QString text = description(view);
    recognizeView(view, superview, text);
    const QRectF frame = View::frame(view);
    qCInfo(velmoraLog, "%d: %s, frame(%d, %d, %d, %d)", level, qUtf8Printable(text), int(frame.x()),
           int(frame.y()), int(frame.width()), int(frame.height()));
    // The recognizer may move views, but the children visited are the ones there now.
    const QList<QWidget *> children = view->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children)
        parseView(child, view, level + 1);
}

void ImagePickerController::parseViews()
{
    if (QWidget *root = ViewController::view())
        parseView(root->window(), nullptr, 1);
}

void ImagePickerController::viewDidLoad()
{
    NavigationStack::viewDidLoad();
    qCInfo(velmoraLog, "viewDidLoad");
}

void ImagePickerController::viewWillAppear(bool animated)
{
    NavigationStack::viewWillAppear(animated);
    static_cast<PickerPage *>(m_page)->showSource(m_sourceType);
    qCInfo(velmoraLog, "viewWillAppear");
}

void ImagePickerController::viewDidAppear(bool animated)
{
    NavigationStack::viewDidAppear(animated);
    qCInfo(velmoraLog, "viewDidAppear");
    parseViews();
}

void ImagePickerController::pushViewController(ViewController *controller, bool animated)
{
    NavigationStack::pushViewController(controller, animated);
    qCInfo(velmoraLog, "pushViewController");
}

bool ImagePickerController::shouldAutorotateToInterfaceOrientation(int orientation)
{
    return orientation == Portrait;
}

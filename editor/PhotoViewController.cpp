#include "PhotoViewController.h"

#include "ActivityView.h"
#include "AnimationBlock.h"
#include "EditorNotifications.h"
#include "HoverController.h"
#include "ImageResizer.h"
#include "ImageSlide.h"
#include "MessageBanner.h"
#include "NavigationBar.h"
#include "NavigationStack.h"
#include "NotificationCenter.h"
#include "PhotoAlbum.h"
#include "PhotoSettings.h"
#include "PictureSource.h"
#include "PressAndHold.h"
#include "PreviewImageView.h"
#include "SegmentedControl.h"
#include "Slider.h"
#include "Touch.h"
#include "View.h"
#include "ZoomImageView.h"

#include "ui_PhotoView.h"
#include "ui_SplitPhotoView.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPalette>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>

#include <algorithm>
#include <utility>

const QString PhotoViewController::kPhotoView = QStringLiteral("PhotoView");
const QString PhotoViewController::kSplitPhotoView = QStringLiteral("SplitPhotoView");

namespace {

using namespace EditorNotifications;

// Animation codes: a plain block, a fade, page curls, reveals.
constexpr int kBlock = 0;
constexpr int kFade = 2;
constexpr int kCurlUp = 3;
constexpr int kCurlDown = 4;
constexpr int kRevealFromRight = 11;
constexpr int kRevealFromLeft = 12;

// The toolbar's controls in one column: the phone's width.
constexpr int kControlsWidth = 360;

const QStringList kGroupTitles = {QStringLiteral("Tone"), QStringLiteral("Mono"),
                                  QStringLiteral("Art"), QStringLiteral("Print")};

bool animationSetting()
{
    const PhotoSettings *settings = PhotoSettings::settings();
    return settings == nullptr || settings->animation();
}

bool startAnimation(QWidget *view, bool wanted, int code)
{
    AnimationBlock *block = AnimationBlock::animation();
    return block != nullptr && block->start(view, wanted, code);
}

void endAnimation(QWidget *view, bool started)
{
    if (AnimationBlock *block = AnimationBlock::animation())
        block->end(view, started);
}

} // namespace

PhotoViewController::PhotoViewController(const QString &layoutName, QObject *parent)
    : ViewController(parent), m_layoutName(layoutName)
{
    connect(&m_session, &EditSession::imageChanged, this,
            [this](bool back) { showImage(back, true); });
    connect(&m_session, &EditSession::busyChanged, this, &PhotoViewController::sessionBusy);
    connect(&m_session, &EditSession::failed, this, &PhotoViewController::reportError);
}

HoverController *PhotoViewController::hoverController() const
{
    return m_hoverController;
}

PhotoViewController::~PhotoViewController()
{
    NotificationCenter &center = NotificationCenter::defaultCenter();
    if (m_hoverController)
        center.removeObserver(m_hoverController);
    center.removeObserver(this);
    // After a save the slide has left the screen and belongs to no view.
    if (m_imageSlide && m_imageSlide->parent() == nullptr)
        delete m_imageSlide.data();
}

QSize PhotoViewController::workingBox()
{
    static const QSize boxes[] = {{1600, 1200}, {1024, 768}, {640, 480}};
    const PhotoSettings *settings = PhotoSettings::settings();
    return boxes[settings != nullptr ? std::clamp(settings->photoSize(), 0, 2) : 0];
}

void PhotoViewController::loadView()
{
    auto *root = new QScrollArea;
    root->setFrameShape(QFrame::NoFrame);
    root->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    root->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    root->setWidgetResizable(true);
    root->setObjectName(QStringLiteral("photoViewRoot"));

    QWidget *content = nullptr;
    if (m_layoutName == kPhotoView) {
        auto *container = new HoverContainerView;
        Ui::PhotoView().setupUi(container);
        content = container;
    } else {
        content = new QWidget;
        Ui::SplitPhotoView().setupUi(content);
    }
    root->setWidget(content);
    m_rootView = root;
    m_contentView = content;

    // The layout's outlets, by name; a layout without one simply leaves it empty.
    m_containerView = content->findChild<QWidget *>(QStringLiteral("containerView"));
    m_originalView = content->findChild<ZoomImageView *>(QStringLiteral("originalView"));
    m_previewView = content->findChild<PreviewImageView *>(QStringLiteral("previewView"));
    m_effectLabel = content->findChild<QLabel *>(QStringLiteral("effectLabel"));
    m_saveButton = content->findChild<QAction *>(QStringLiteral("saveButton"));
    m_levelSlider = content->findChild<Slider *>(QStringLiteral("levelSlider"));
    m_applyLabel = content->findChild<QLabel *>(QStringLiteral("applyLabel"));
    m_promptLabel = content->findChild<QLabel *>(QStringLiteral("promptLabel"));
    m_busyIndicator = content->findChild<ActivityView *>(QStringLiteral("busyIndicator"));
    m_undoButton = content->findChild<QAbstractButton *>(QStringLiteral("undoButton"));
    m_redoButton = content->findChild<QAbstractButton *>(QStringLiteral("redoButton"));
    m_groupSegments = content->findChild<SegmentedControl *>(QStringLiteral("groupSegments"));
    m_imageSlide = content->findChild<ImageSlide *>(QStringLiteral("imageSlide"));
    m_toolBar = content->findChild<QWidget *>(QStringLiteral("toolBar"));
    m_levelLabel = content->findChild<QLabel *>(QStringLiteral("levelLabel"));
    m_controls = content->findChild<QWidget *>(QStringLiteral("controls"));
    m_displayCache.setViews(m_originalView, m_previewView, m_layoutName == kPhotoView);
    if (m_originalView)
        m_originalView->setDisplayCache(&m_displayCache);
    connect(&m_displayCache, &DisplayCache::remade, this, [this] {
        showDisplayImage();
        renderPreview();
    });

    if (auto *hoverView = content->findChild<QWidget *>(QStringLiteral("hoverView"))) {
        m_hoverController = new HoverController(this);
        m_hoverController->setContainerView(content);
        m_hoverController->setHoverView(hoverView);
        m_hoverController->setToolBar(m_toolBar);
    }
    setView(root);
}

void PhotoViewController::viewDidLoad()
{
    ViewController::viewDidLoad();

    NotificationCenter &center = NotificationCenter::defaultCenter();
    if (m_hoverController) {
        center.addObserver(m_hoverController.data(), &HoverController::tap, kSingleTap);
        center.addObserver(m_hoverController.data(), &HoverController::doubleTap, kDoubleTap);
    }
    center.addObserver(this, &PhotoViewController::swipeLeft, kSwipeLeft);
    center.addObserver(this, &PhotoViewController::swipeRight, kSwipeRight);
    center.addObserver(this, &PhotoViewController::doubleTap, kDoubleTap);
    center.addObserver(this, &PhotoViewController::hoverShown, kHoverShown);
    center.addObserver(this, &PhotoViewController::hoverHidden, kHoverHidden);

    // Pictures keep their shape on a dark ground, whatever the window's shape; the ground also
    // shows where the bars fade out (the hover layout's container would leave stale pixels).
    m_contentView->setAttribute(Qt::WA_NoSystemBackground, false);
    for (QWidget *view : {m_contentView.data(), static_cast<QWidget *>(m_originalView.data()),
                          static_cast<QWidget *>(m_previewView.data())}) {
        if (view == nullptr)
            continue;
        QPalette palette = view->palette();
        palette.setColor(QPalette::Window, QColor(13, 13, 15));
        view->setPalette(palette);
        view->setAutoFillBackground(true);
        if (auto *imageView = qobject_cast<ImageView *>(view)) {
            View::setUserInteractionEnabled(imageView, true);
            imageView->setContentMode(ImageView::ContentMode::ScaleDownToFit);
        }
    }
    // Held, the picture shows the photo as taken and the preview the picture without the effect.
    if (m_originalView) {
        m_pictureHold = new PressAndHold(m_originalView, this);
        connect(m_pictureHold, &PressAndHold::held, this,
                [this](bool down) { showOriginal(down, false); });
    }
    if (m_previewView)
        connect(new PressAndHold(m_previewView, this), &PressAndHold::held, this,
                [this](bool down) { showOriginal(down, true); });

    setTitle(QStringLiteral("Velmora"));
    if (m_saveButton) {
        navigationItem().rightBarButtonItem = m_saveButton;
        connect(m_saveButton, &QAction::triggered, this, &PhotoViewController::save);
        m_editMenu = new EditMenu(&m_session, m_contentView);
        connect(m_editMenu, &EditMenu::failed, this, &PhotoViewController::reportError);
        m_saveButton->setMenu(m_editMenu);
        navigationItemChanged();
    }

    if (m_applyLabel && m_levelSlider) {
        View::addSubview(View::superview(m_levelSlider), m_applyLabel);
        View::setFrame(m_applyLabel, View::frame(m_levelSlider));
        View::setHidden(m_applyLabel, false);
    }
    if (m_levelSlider) {
        m_levelSlider->setMinimumValue(0.0f);
        m_levelSlider->setMaximumValue(20.0f);
        connect(m_levelSlider, &Slider::valueChanged, this, [this] {
            if (!m_settingLevel)
                changeLevel();
        });
    }
    // Undo and Redo show while the history has a step to take back or forward.
    m_undoAction = m_session.undoStack()->createUndoAction(this);
    m_redoAction = m_session.undoStack()->createRedoAction(this);
    for (const auto &[button, action] :
         {std::pair{m_undoButton, m_undoAction}, std::pair{m_redoButton, m_redoAction}}) {
        if (!button)
            continue;
        View::setHidden(button, !action->isEnabled());
        connect(action, &QAction::enabledChanged, button,
                [button = button.data()](bool enabled) { View::setHidden(button, !enabled); });
        connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
    }
    if (auto *nextButton =
            m_contentView->findChild<QAbstractButton *>(QStringLiteral("nextButton")))
        connect(nextButton, &QAbstractButton::clicked, this, &PhotoViewController::next);
    if (auto *prevButton =
            m_contentView->findChild<QAbstractButton *>(QStringLiteral("prevButton")))
        connect(prevButton, &QAbstractButton::clicked, this, &PhotoViewController::prev);

    // The floating preview sits over the picture and the bars.
    if (m_hoverController && m_hoverController->hoverView())
        View::bringSubviewToFront(m_contentView, m_hoverController->hoverView());
    if (m_busyIndicator) {
        View::addSubview(m_contentView, m_busyIndicator);
        View::setCenter(m_busyIndicator, View::bounds(m_contentView).center());
        View::setHidden(m_busyIndicator, true);
        View::bringSubviewToFront(m_contentView, m_busyIndicator);
    }

    const PhotoSettings *settings = PhotoSettings::settings();
    const int group = settings != nullptr ? settings->segment() : 0;
    if (m_groupSegments) {
        if (m_groupSegments->numberOfSegments() == 0)
            m_groupSegments->setTitles(kGroupTitles);
        m_groupSegments->setTintColor(Qt::darkGray);
        m_groupSegments->setSelectedSegmentIndex(group);
        connect(m_groupSegments, &SegmentedControl::valueChanged, this,
                &PhotoViewController::changeGroup);
    }
    m_renderer.setGroup(group);

    if (NavigationStack *stack = navigationController())
        stack->navigationBar()->setBarStyle(2);

    m_contentView->installEventFilter(this);
    if (m_containerView)
        m_containerView->installEventFilter(this);
    m_contentView->setAcceptDrops(true);
    addShortcuts();
}

void PhotoViewController::addShortcuts()
{
    auto add = [this](const QKeySequence &keys, std::function<void()> action) {
        auto *shortcut = new QShortcut(keys, m_contentView);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, std::move(action));
    };
    // Keys do what touches do, and are refused when touches are (while an effect applies).
    auto whenTakingInput = [this](std::function<void()> action) {
        return [this, action = std::move(action)] {
            if (takesInput())
                action();
        };
    };
    add(Qt::Key_Right, whenTakingInput([this] { next(); }));
    add(Qt::Key_Left, whenTakingInput([this] { prev(); }));
    add(Qt::Key_Up, whenTakingInput([this] { stepGroup(-1); }));
    add(Qt::Key_Down, whenTakingInput([this] { stepGroup(+1); }));
    add(Qt::Key_Return, whenTakingInput([this] { applyEffect(); }));
    add(Qt::Key_Enter, whenTakingInput([this] { applyEffect(); }));
    add(Qt::CTRL | Qt::Key_Z, whenTakingInput([this] { undo(); }));
    add(Qt::CTRL | Qt::SHIFT | Qt::Key_Z, whenTakingInput([this] { redo(); }));
    add(Qt::CTRL | Qt::Key_Y, whenTakingInput([this] { redo(); }));
    add(QKeySequence::Save, [this] { save(); });
    // The picture's zoom, and the photo as taken while the backslash key is held.
    const auto onPicture = [this](void (ZoomImageView::*change)()) {
        return [this, change] {
            if (m_originalView)
                (m_originalView->*change)();
        };
    };
    add(QKeySequence::ZoomIn, whenTakingInput(onPicture(&ZoomImageView::zoomIn)));
    add(Qt::CTRL | Qt::Key_Equal, whenTakingInput(onPicture(&ZoomImageView::zoomIn)));
    add(QKeySequence::ZoomOut, whenTakingInput(onPicture(&ZoomImageView::zoomOut)));
    add(Qt::CTRL | Qt::Key_1, whenTakingInput(onPicture(&ZoomImageView::zoomToActualPixels)));
    add(Qt::CTRL | Qt::Key_0, whenTakingInput(onPicture(&ZoomImageView::fit)));
    add(Qt::Key_Backslash, whenTakingInput([this] {
            if (m_pictureHold)
                m_pictureHold->holdKey(Qt::Key_Backslash);
        }));
}

// Held on the picture, the photo as taken at the same zoom; on the preview, its copy of the
// picture without the effect.
void PhotoViewController::showOriginal(bool shown, bool inPreview)
{
    if (!inPreview) {
        if (m_originalView)
            m_originalView->setStandIn(shown ? originalImage() : Picture(), tr("Original"));
    } else if (!shown) {
        renderPreview();
    } else if (m_previewView && !thumbnailImage().isNull()) {
        m_previewView->setImage(m_displayCache.forScreen(thumbnailImage()));
    }
}

bool PhotoViewController::takesInput() const
{
    return m_contentView && View::isUserInteractionEnabled(m_contentView);
}

void PhotoViewController::stepGroup(int delta)
{
    if (!m_groupSegments)
        return;
    const int count = ImageEffect::kGroupCount;
    const int group = (m_groupSegments->selectedSegmentIndex() + delta + count) % count;
    m_groupSegments->setSelectedSegmentIndex(group);
    changeGroup();
}

bool PhotoViewController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_contentView) {
        switch (event->type()) {
        case QEvent::Resize:
            // The window can be resized freely; the picture area and the hover follow.
            layOutBars();
            if (m_busyIndicator)
                View::setCenter(m_busyIndicator, View::bounds(m_contentView).center());
            break;
        case QEvent::DragEnter: {
            auto *drag = static_cast<QDragEnterEvent *>(event);
            const QList<QUrl> urls = drag->mimeData()->urls();
            if (urls.size() == 1 && urls.first().isLocalFile() && takesInput())
                drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            const QList<QUrl> urls = drop->mimeData()->urls();
            if (!urls.isEmpty() && takesInput()) {
                drop->acceptProposedAction();
                openFile(urls.first().toLocalFile());
            }
            return true;
        }
        default:
            break;
        }
    } else if (watched == m_containerView && event->type() == QEvent::Resize) {
        relocateto(interfaceOrientation());
    }
    return ViewController::eventFilter(watched, event);
}

bool PhotoViewController::openFile(const QString &path)
{
    const PictureSource::LoadResult loaded =
        PictureSource::load(PictureSource::PhotoLibrary, path, {}, workingBox());
    if (!loaded.ok()) {
        reportError(loaded.error);
        return false;
    }
    editPhoto(loaded.picture, false, true);
    return true;
}

void PhotoViewController::reportError(const QString &message)
{
    emit errorReported(message);
    // In the window, over the editor, which goes on while the message is read.
    if (m_contentView && m_contentView->isVisible())
        MessageBanner::showMessage(m_contentView, message);
}

void PhotoViewController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    layOutBars();
    relocate();
    const PhotoSettings *settings = PhotoSettings::settings();
    if (m_levelSlider)
        m_levelSlider->setContinuous(settings != nullptr && settings->update());
    if (m_hoverController) {
        m_hoverController->setNavBar(navigationController());
        m_hoverController->setLefthand(settings != nullptr && settings->lefthand());
        m_hoverController->relocate();
    }
    if (NavigationStack *stack = navigationController())
        stack->navigationBar()->setBarStyle(2);
}

void PhotoViewController::viewWillDisappear(bool animated)
{
    if (PhotoSettings *settings = PhotoSettings::settings()) {
        settings->markImage(m_session.current());
        if (m_groupSegments)
            settings->setSegment(m_groupSegments->selectedSegmentIndex());
    }
    showHover(true);
    if (m_hoverController)
        m_hoverController->setNavBar(nullptr);
    ViewController::viewWillDisappear(animated);
}

void PhotoViewController::editPhoto(const Picture &photo, bool atWorkingSize, bool animated)
{
    const Picture fitted = atWorkingSize ? photo : ImageResizer::colorMatch(photo, workingBox());
    if (fitted.isNull())
        return; // nothing usable: the current picture stays
    view();
    m_session.start(fitted.withMetadata(photo.metadata()), workingBox());
    showImage(false, animated);
}

// A new picture lifts the page from its lower right corner; going back lays it down.
void PhotoViewController::showImage(bool back, bool animated)
{
    const bool started =
        startAnimation(m_originalView, animationSetting() && animated, back ? kCurlDown : kCurlUp);
    // The picture and the previews' copies are made for the views' boxes as laid out now.
    m_contentView->layout()->activate();
    m_displayCache.setPicture(m_session.current());
    showDisplayImage();
    endAnimation(m_originalView, started);

    previewEffectWithAnimation(kFade, true);
    emit imageChanged();
}

void PhotoViewController::showDisplayImage()
{
    if (m_originalView) {
        m_originalView->setImage(Picture());
        m_originalView->setImage(displayImage());
    }
}

void PhotoViewController::renderPreview()
{
    const Picture result = m_renderer.render(thumbnailImage(), m_session.current());
    if (m_previewView && !result.isNull()) {
        m_previewView->setImage(Picture());
        m_previewView->setImage(m_displayCache.forScreen(result));
    }
}

void PhotoViewController::previewEffectWithAnimation(int animation, bool showHover)
{
    ImageEffect &effect = m_renderer.effect();
    const bool wanted = animationSetting();
    const bool labelStarted = startAnimation(m_effectLabel, wanted, kFade);
    if (m_effectLabel)
        m_effectLabel->setText(QStringLiteral("Preview: %1").arg(effect.getEffect()));
    endAnimation(m_effectLabel, labelStarted);

    const bool started = startAnimation(m_previewView, wanted, animation);
    renderPreview();
    const bool hasLevel = effect.supportsLevel();
    if (m_levelSlider) {
        View::setHidden(m_levelSlider, !hasLevel);
        m_settingLevel = true;
        m_levelSlider->setValue(float(unsigned(effect.getLevel())));
        m_settingLevel = false;
    }
    if (m_levelLabel) {
        m_levelLabel->setText(QStringLiteral("Level %1").arg(unsigned(effect.getLevel())));
        View::setHidden(m_levelLabel, !hasLevel);
    }
    if (m_applyLabel)
        View::setHidden(m_applyLabel, m_levelSlider ? !View::isHidden(m_levelSlider) : false);
    endAnimation(m_previewView, started);

    if (showHover)
        this->showHover(true);
}

void PhotoViewController::changeLevel()
{
    if (!m_levelSlider)
        return;
    // Rounded to the nearest level; the low 8 bits, as the catalogue takes a byte.
    const auto level = static_cast<unsigned char>(unsigned(m_levelSlider->value() + 0.5f) & 0xFF);
    m_renderer.setLevel(level);
    previewEffectWithAnimation(kBlock, true);
}

void PhotoViewController::changeGroup()
{
    if (!m_groupSegments)
        return;
    m_renderer.setGroup(m_groupSegments->selectedSegmentIndex());
    previewEffectWithAnimation(kFade, true);
}

// The next effect is revealed from the left, the previous one from the right.
void PhotoViewController::stepEffect(int delta, bool showHover)
{
    if (delta > 0)
        m_renderer.effect().nextEffect();
    else
        m_renderer.effect().prevEffect();
    previewEffectWithAnimation(delta > 0 ? kRevealFromLeft : kRevealFromRight, showHover);
}

bool PhotoViewController::fromPreview(const Notification &notification) const
{
    return m_previewView && notification.sender == m_previewView.data();
}

void PhotoViewController::swipeLeft(const Notification &notification)
{
    if (fromPreview(notification))
        stepEffect(-1, false);
    else
        showHover(true);
}

void PhotoViewController::swipeRight(const Notification &notification)
{
    if (fromPreview(notification))
        stepEffect(+1, false);
    else
        showHover(true);
}

void PhotoViewController::doubleTap(const Notification &notification)
{
    if (fromPreview(notification))
        applyEffect();
    else
        showHover(true);
}

void PhotoViewController::touchesEnded(const Touch &touch)
{
    if (touch.tapCount() != 2)
        tap();
    ViewController::touchesEnded(touch);
}

void PhotoViewController::showHover(bool show)
{
    if (m_hoverController)
        m_hoverController->showHoverView(show);
}

void PhotoViewController::setInputEnabled(bool enabled)
{
    if (m_contentView)
        View::setUserInteractionEnabled(m_contentView, enabled);
    if (m_originalView)
        View::setUserInteractionEnabled(m_originalView, enabled);
    for (QAbstractButton *button : {m_undoButton.data(), m_redoButton.data()})
        if (button)
            View::setUserInteractionEnabled(button, enabled);
}

void PhotoViewController::applyEffect()
{
    if (m_session.apply(m_renderer.step()))
        showHover(true);
}

void PhotoViewController::sessionBusy(bool busy)
{
    if (m_busyIndicator) {
        if (busy)
            m_busyIndicator->startAnimating(QStringLiteral("Applying filter"));
        else
            m_busyIndicator->stopAnimating();
    }
    setInputEnabled(!busy);
    showHover(true);
    if (!busy && std::exchange(m_saveWhenApplied, false))
        reallySave();
}

// A save asked for while an effect applies (or a step is remade) waits for it: the user saves
// the picture left on screen (or, when the apply fails, the picture as it stands).
void PhotoViewController::save()
{
    if (isApplying())
        m_saveWhenApplied = true;
    else
        reallySave();
}

void PhotoViewController::reallySave()
{
    if (m_session.current().isNull())
        return;
    view();
    showHover(true);
    if (m_busyIndicator)
        m_busyIndicator->startAnimating(QStringLiteral("Saving photo"));
    PhotoAlbum(m_albumFolder)
        .save(m_session.current(), this, [this](const PhotoAlbum::SaveResult &result) {
            if (m_busyIndicator)
                m_busyIndicator->stopAnimating();
            showHover(true);
            if (result.ok()) {
                // The picture flies to the album's corner only when it is really there.
                if (m_imageSlide && m_originalView) {
                    const QRectF bounds = View::bounds(View::superview(m_originalView));
                    m_imageSlide->slideFrom(m_originalView, QPointF(bounds.width() - 44, 44));
                }
            } else {
                reportError(result.message);
            }
            emit saveFinished(result.filePath, result.message);
        });
}

void PhotoViewController::relocate()
{
    if (m_rootView) {
        m_rootView->horizontalScrollBar()->setValue(0);
        m_rootView->verticalScrollBar()->setValue(0);
    }
    relocateto(interfaceOrientation());
}

void PhotoViewController::relocateto(int orientation)
{
    if (!m_containerView)
        return;
    const QRectF bounds = View::bounds(m_containerView);
    const double x = bounds.x(), y = bounds.y(), w = bounds.width(), h = bounds.height();
    if (isLandscape(orientation)) {
        View::setFrame(m_originalView, QRectF(x, y, w / 2, h));
        View::setFrame(m_previewView, QRectF(w / 2, y, w / 2, h));
    } else {
        View::setFrame(m_originalView, QRectF(x, y, w, h / 2));
        View::setFrame(m_previewView, QRectF(x, h / 2, w, h / 2));
    }
    relocateLabels(orientation, true, false);
}

// The container lies below the navigation bar, so the labels keep to the preview's top edge
// whether the bar is shown or not.
void PhotoViewController::relocateLabels(int, bool, bool animated)
{
    if (!m_containerView || !m_effectLabel || !m_previewView)
        return;
    const QRectF preview = View::frame(m_previewView);
    const QRectF target(preview.x(), preview.y(), preview.width(),
                        View::frame(m_effectLabel).height());
    if (View::frame(m_effectLabel) == target)
        return;

    bool started = startAnimation(m_effectLabel, animated, kBlock);
    View::setFrame(m_effectLabel, target);
    endAnimation(m_effectLabel, started);

    if (m_promptLabel) {
        started = startAnimation(m_promptLabel, animated, kBlock);
        View::setFrame(m_promptLabel, QRectF(target.x(), target.y() + target.height(),
                                             target.width(), target.height()));
        endAnimation(m_promptLabel, started);
    }
}

// The picture gets the room the bars leave: the content starts below the translucent
// navigation bar, and in a wide window the toolbar's two halves go side by side to take less
// of the height. The hover grows with the window.
void PhotoViewController::layOutBars()
{
    const QSize size = m_contentView->size();
    NavigationStack *stack = navigationController();
    const bool underBar = stack != nullptr && stack->navigationBar()->isTranslucent();
    m_contentView->layout()->setContentsMargins(0, underBar ? NavigationBar::heightFor(size) : 0, 0,
                                                0);
    const bool wide = size.width() > size.height();
    if (auto *rows = m_controls ? qobject_cast<QBoxLayout *>(m_controls->layout()) : nullptr) {
        rows->setDirection(wide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
        rows->setSpacing(wide ? 20 : 6);
        m_controls->setMaximumWidth(wide ? 2 * kControlsWidth : kControlsWidth);
    }
    if (m_hoverController) {
        m_displayCache.growHover(m_hoverController->hoverView(), size);
        m_hoverController->relocate();
    }
}

void PhotoViewController::didRotateFromInterfaceOrientation(int orientation)
{
    ViewController::didRotateFromInterfaceOrientation(orientation);
    relocate();
    if (m_hoverController)
        m_hoverController->relocate();
    showHover(true);
}

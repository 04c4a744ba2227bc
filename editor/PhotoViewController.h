#ifndef VELMORA_EDITOR_PHOTOVIEWCONTROLLER_H
#define VELMORA_EDITOR_PHOTOVIEWCONTROLLER_H

#include "DisplayCache.h"
#include "EditMenu.h"
#include "EditSession.h"
#include "Picture.h"
#include "PreviewRenderer.h"
#include "ViewController.h"

#include <QPointer>
#include <QSizeF>
#include <QString>

#include <memory>

class ActivityView;
class HoverController;
class ImageSlide;
class ImageView;
class PressAndHold;
class PreviewImageView;
class QAbstractButton;
class QAction;
class QLabel;
class QScrollArea;
class SegmentedControl;
class Slider;
class ZoomImageView;
struct Notification;

// The editor screen, over an EditSession that holds the photo and its history. The user picks
// a group and an effect, sets a level, watches the preview, applies the effect (the session
// runs it on a worker thread), walks the history back and forth, and saves to the photo album
// or saves the steps as a recipe.
//
// It is made from one of two layouts: "PhotoView", where the preview floats over the picture
// in the hover window, and "SplitPhotoView", where picture and preview share the screen.
class PhotoViewController : public ViewController
{
    Q_OBJECT

public:
    static const QString kPhotoView;
    static const QString kSplitPhotoView;

    explicit PhotoViewController(const QString &layoutName, QObject *parent = nullptr);
    ~PhotoViewController() override;

    QString layoutName() const { return m_layoutName; }

    // Starts editing `photo` with an empty history, reduced to the working size of the "photo
    // size" setting unless it is at working size already (the stored picture).
    void editPhoto(const Picture &photo, bool atWorkingSize, bool animated = false);

    // The screen's actions.
    void next() { stepEffect(+1, true); }
    void prev() { stepEffect(-1, true); }
    void changeLevel();
    void changeGroup();
    void undo() { m_session.undoStack()->undo(); }
    void redo() { m_session.undoStack()->redo(); }
    void revertToOriginal() { m_session.revert(); }
    void save();
    // Save's menu: Revert to Original, Save Recipe…, Apply Recipe…
    EditMenu *editMenu() const { return m_editMenu; }

    // Shows the hover, as a touch anywhere on the screen does.
    void tap() { showHover(true); }

    // Notification handlers.
    void swipeLeft(const Notification &notification);
    void swipeRight(const Notification &notification);
    void doubleTap(const Notification &notification);
    void hoverShown() { relocateLabels(interfaceOrientation(), true, true); }
    void hoverHidden() { relocateLabels(interfaceOrientation(), false, true); }

    // Layout: the root view reset, the container split for an orientation, the labels over
    // the preview with the navigation bar shown or not.
    void relocate();
    void relocateto(int orientation);
    void relocateLabels(int orientation, bool showNavBar, bool animated);

    bool shouldAutorotateToInterfaceOrientation(int) override { return true; }
    void willAnimateFirstHalfOfRotationToInterfaceOrientation(int orientation, double) override
    {
        relocateto(orientation);
    }
    void willAnimateSecondHalfOfRotationFromInterfaceOrientation(int, double) override
    {
        relocate();
    }
    void didRotateFromInterfaceOrientation(int orientation) override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void touchesEnded(const Touch &touch) override;
    // Leaving mid-apply and coming back would render under the worker's feet.
    bool mayGoBack() const override { return !isApplying(); }

    // Reads a picture file and takes it in as a new photo; a file that cannot be read is
    // reported and changes nothing. What a photo dropped on the window goes through.
    bool openFile(const QString &path);

    // The pictures and parts being edited, for the screens around it and for tests.
    const Picture &baselineImage() const { return m_session.current(); }
    // The photo as taken: the new photo at working size, or the stored picture continued.
    const Picture &originalImage() const { return m_session.original(); }
    const Picture &displayImage() const { return m_displayCache.displayImage(); }
    const Picture &thumbnailImage() const { return m_displayCache.thumbnailImage(); }
    EditSession &session() { return m_session; }
    // The effect chosen and previewed; an apply runs with the choice as a step.
    ImageEffect &imageEffect() { return m_renderer.effect(); }
    bool isApplying() const { return m_session.isBusy(); }
    HoverController *hoverController() const;
    // Where saved pictures go; empty: the album's default folder.
    void setAlbumFolder(const QString &folder) { m_albumFolder = folder; }

    // Box a new photo is reduced to: the "photo size" setting's (1600 × 1200 without settings).
    static QSize workingBox();

signals:
    // A working picture came back from an apply, the history or a new photo.
    void imageChanged();
    // A save finished: the file written, or empty and the reason.
    void saveFinished(const QString &filePath, const QString &error);
    // Something from the outside world failed; the user has been shown `message`.
    void errorReported(const QString &message);

protected:
    void loadView() override;
    void viewDidLoad() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void previewEffectWithAnimation(int animation, bool showHover);
    void renderPreview();
    void showDisplayImage();
    void showImage(bool back, bool animated);
    void sessionBusy(bool busy);
    void layOutBars();
    void applyEffect();
    void showHover(bool show);
    void reallySave();
    void reportError(const QString &message);
    void setInputEnabled(bool enabled);
    bool takesInput() const;
    void stepGroup(int delta);
    void stepEffect(int delta, bool showHover);
    bool fromPreview(const Notification &notification) const;
    void addShortcuts();
    void showOriginal(bool shown, bool inPreview);

    QString m_layoutName;
    QString m_albumFolder;

    QPointer<QScrollArea> m_rootView;
    QPointer<QWidget> m_contentView;
    QPointer<QWidget> m_containerView;
    QPointer<ZoomImageView> m_originalView;
    QPointer<PreviewImageView> m_previewView;
    QPointer<QLabel> m_effectLabel;
    QPointer<HoverController> m_hoverController;
    QPointer<QAction> m_saveButton;
    QPointer<Slider> m_levelSlider;
    QPointer<QLabel> m_applyLabel;
    QPointer<QLabel> m_promptLabel;
    QPointer<QLabel> m_levelLabel;
    QPointer<ActivityView> m_busyIndicator;
    QPointer<QAbstractButton> m_undoButton;
    QPointer<QAbstractButton> m_redoButton;
    QPointer<QAction> m_undoAction;
    QPointer<QAction> m_redoAction;
    QPointer<SegmentedControl> m_groupSegments;
    QPointer<ImageSlide> m_imageSlide;
    QPointer<QWidget> m_toolBar;
    QPointer<QWidget> m_controls;
    QPointer<PressAndHold> m_pictureHold;
    QPointer<EditMenu> m_editMenu;

    EditSession m_session;
    DisplayCache m_displayCache;
    PreviewRenderer m_renderer;
    bool m_settingLevel = false;
    bool m_saveWhenApplied = false;
};

#endif

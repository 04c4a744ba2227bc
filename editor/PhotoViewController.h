#ifndef VELMORA_EDITOR_PHOTOVIEWCONTROLLER_H
#define VELMORA_EDITOR_PHOTOVIEWCONTROLLER_H

#include "DisplayCache.h"
#include "ImageEffect.h"
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
class QThread;
class SegmentedControl;
class Slider;
class ZoomImageView;
struct Notification;

// The editor screen. It holds the working picture, one step of undo and a small copy that
// previews are rendered on; the user picks a group and an effect, sets a level, watches the
// preview, applies the effect to the working picture (the pixels are processed on a worker
// thread), undoes the last step and saves to the photo album.
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

    // Makes `image` the working picture. colorMatched false: a new photo, reduced to the
    // working size of the "photo size" setting, with nothing to undo. colorMatched true: a
    // picture already at working size (the stored picture, an apply result, the undo step).
    void edit(const Picture &image, bool colorMatched, bool animated);

    // The screen's actions.
    void next();
    void prev();
    void changeLevel();
    void changeGroup();
    void undo();
    void save();
    // Shows the hover, as a touch anywhere on the screen does.
    void tap();

    // Notification handlers.
    void swipeLeft(const Notification &notification);
    void swipeRight(const Notification &notification);
    void doubleTap(const Notification &notification);
    void hoverShown();
    void hoverHidden();

    // Layout: the root view reset, the container split for an orientation, the labels over
    // the preview with the navigation bar shown or not.
    void relocate();
    void relocateto(int orientation);
    void relocateLabels(int orientation, bool showNavBar, bool animated);

    bool shouldAutorotateToInterfaceOrientation(int orientation) override;
    void willAnimateFirstHalfOfRotationToInterfaceOrientation(int orientation,
                                                              double duration) override;
    void willAnimateSecondHalfOfRotationFromInterfaceOrientation(int orientation,
                                                                 double duration) override;
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
    const Picture &baselineImage() const { return m_baselineImage; }
    const Picture &previousImage() const { return m_previousImage; }
    // The photo as taken: the new photo at working size, or the stored picture continued.
    const Picture &originalImage() const { return m_originalImage; }
    const Picture &displayImage() const { return m_displayCache.displayImage(); }
    const Picture &thumbnailImage() const { return m_displayCache.thumbnailImage(); }
    const Picture &previousThumbnailImage() const
    {
        return m_displayCache.previousThumbnailImage();
    }
    // The effect chosen and previewed; an apply runs on a copy of the choice.
    ImageEffect &imageEffect() { return m_renderer.effect(); }
    bool isApplying() const { return m_effectThread != nullptr; }
    HoverController *hoverController() const;
    // Where saved pictures go; empty: the album's default folder.
    void setAlbumFolder(const QString &folder) { m_albumFolder = folder; }

    // Box a new photo is reduced to: the "photo size" setting's (1600 × 1200 without settings).
    static QSize workingBox();

signals:
    // A working picture came back from an apply, an undo or a new photo.
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
    void layOutBars();
    void applyEffect();
    void applyEffectInThread();
    void effectDidApplyInThread();
    void effectDidApply(const Picture &result);
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
    ImageEffect m_imageEffect;
    QPointer<QAction> m_saveButton;
    QPointer<Slider> m_levelSlider;
    QPointer<QLabel> m_applyLabel;
    QPointer<QLabel> m_promptLabel;
    QPointer<QLabel> m_levelLabel;
    QPointer<ActivityView> m_busyIndicator;
    QPointer<QAbstractButton> m_undoButton;
    QPointer<SegmentedControl> m_groupSegments;
    QPointer<ImageSlide> m_imageSlide;
    QPointer<QWidget> m_toolBar;
    QPointer<QWidget> m_controls;
    QPointer<PressAndHold> m_pictureHold;

    Picture m_previousImage;
    Picture m_baselineImage;
    Picture m_originalImage;
    DisplayCache m_displayCache;
    PreviewRenderer m_renderer;
    QThread *m_effectThread = nullptr;
    bool m_settingLevel = false;
    bool m_saveWhenApplied = false;
};

#endif

#ifndef VELMORA_APP_IMAGEPICKERCONTROLLER_H
#define VELMORA_APP_IMAGEPICKERCONTROLLER_H

#include "NavigationStack.h"
#include "Picture.h"
#include "PictureSource.h"

#include <QString>

class ImagePickerController;
class QFileDialog;

// What came with a picked picture: the picture as chosen, when the picker's editing step
// was allowed (there is no crop step here, so it is the delivered picture itself).
struct ImagePickerEditingInfo
{
    Picture originalImage;
};

class ImagePickerControllerDelegate
{
public:
    virtual ~ImagePickerControllerDelegate() = default;

    virtual void imagePickerController(ImagePickerController *picker, const Picture &picture,
                                       const ImagePickerEditingInfo &editingInfo) = 0;
    virtual void imagePickerControllerDidCancel(ImagePickerController *picker) = 0;
};

// The picture picker, a navigation stack of its own with Cancel on its bar, over one of three
// sources: the photo library (a file browser inside the picker, opening in the folder the last
// photo came from), the saved-photos album (a grid of the album's pictures) and the camera.
// Every source reads its file through PictureSource::load, so a file that cannot be read is
// reported the same way, in a message over the picker, which stays open.
//
// Each time it appears it walks the window's view tree, logging one line per view and calling
// recognizeView for each, so a subclass can find parts of the screen it shows.
class ImagePickerController : public NavigationStack
{
    Q_OBJECT

public:
    explicit ImagePickerController(QObject *parent = nullptr);
    ~ImagePickerController() override;

    ImagePickerControllerDelegate *delegate() const { return m_delegate; }
    void setDelegate(ImagePickerControllerDelegate *delegate) { m_delegate = delegate; }

    int sourceType() const { return m_sourceType; }
    void setSourceType(int sourceType);
    bool allowsImageEditing() const { return m_allowsImageEditing; }
    void setAllowsImageEditing(bool allows) { m_allowsImageEditing = allows; }

    // The saved-photos album's folder; PhotoAlbum::defaultFolder() when empty.
    void setAlbumFolder(const QString &folder) { m_albumFolder = folder; }
    QString albumFolder() const;
    // Where the file browser opens: the folder set here, else the folder the last photo was
    // picked from, else the user's Pictures folder, else the home folder.
    void setLibraryFolder(const QString &folder) { m_libraryFolder = folder; }
    QString libraryFolder() const;
    // The photo library's file browser while that source shows, else null.
    QFileDialog *fileDialog() const;
    void setLoader(PictureSource::Loader loader) { m_loader = std::move(loader); }
    // The working size picked pictures go to (see PictureSource::load).
    void setFitBox(QSize box) { m_fitBox = box; }
    QSize fitBox() const { return m_fitBox; }

    // Reads `path` from the current source and hands the picture to the delegate; a file that
    // cannot be read is reported and leaves the picker open. False when nothing was delivered.
    bool pick(const QString &path);
    void cancelPicking();
    // Tells the user what went wrong; the picker stays as it is.
    void reportError(const QString &message);

    // The view walk: `view` when it has `type` in its description and, when `superViewIs` is
    // given, that parent; otherwise null.
    QWidget *view(QWidget *view, const QString &type, QWidget *superViewIs) const;
    using ViewController::view;
    // A view's class name and object name, e.g. "PLCameraView preview".
    static QString description(const QWidget *view);
    virtual void recognizeView(QWidget *view, QWidget *superview, const QString &description);
    void parseView(QWidget *view, QWidget *superview, int level);
    virtual void parseViews();

    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void pushViewController(ViewController *controller, bool animated);
    bool shouldAutorotateToInterfaceOrientation(int orientation) override;

protected:
    void viewDidLoad() override;

private:
    void finish(const Picture &picture);

    ImagePickerControllerDelegate *m_delegate = nullptr;
    ViewController *m_page = nullptr;
    int m_sourceType = PictureSource::PhotoLibrary;
    bool m_allowsImageEditing = false;
    QString m_albumFolder;
    QString m_libraryFolder;
    PictureSource::Loader m_loader;
    QSize m_fitBox;
};

#endif

#ifndef VELMORA_APP_ROOTVIEWCONTROLLER_H
#define VELMORA_APP_ROOTVIEWCONTROLLER_H

#include "ImagePickerController.h"
#include "Picture.h"
#include "TableViewController.h"

#include <QFont>
#include <QPointer>

#include <functional>
#include <memory>

class AboutController;
class HelpController;
class ImageTableViewCell;
class PhotoViewController;
class QAction;
class SettingsViewController;

// The main menu: continue with the last picture, take one with the camera, pick one from the
// saved photos or the photo library, and open the settings, help and About screens. A picture
// that comes in goes to the editor, made from the layout the "ui type" setting chooses and
// kept while that setting stays the same.
class RootViewController : public TableViewController, public ImagePickerControllerDelegate
{
    Q_OBJECT

public:
    // Which picture sources exist (the camera may not); replaceable for tests.
    using SourceAvailability = std::function<bool(int sourceType)>;

    explicit RootViewController(QObject *parent = nullptr);
    ~RootViewController() override;

    ImagePickerController *imagePickerController();
    PhotoViewController *photoViewController() const { return m_photoViewController.get(); }
    SettingsViewController *settingsViewController() const
    {
        return m_settingsViewController.get();
    }
    HelpController *helpController() const { return m_helpController.get(); }
    AboutController *aboutController() const { return m_aboutController.get(); }
    QFont font() const { return m_font; }
    ImageTableViewCell *cell(const IndexPath &indexPath);

    void setSourceAvailability(SourceAvailability availability);

    void refreshMenu();
    void promptPhoto(int sourceType);
    // Pushes the help screen over whatever screen shows, unless it is on the stack already.
    void showHelp();
    void editPhoto(const Picture &image, bool colorMatched);
    void configureAboutController();

    int numberOfSectionsInTableView(TableView *tableView) override;
    int numberOfRowsInSection(TableView *tableView, int section) override;
    TableViewCell *cellForRowAtIndexPath(TableView *tableView, const IndexPath &indexPath) override;
    QString titleForHeaderInSection(TableView *tableView, int section) override;
    void didSelectRowAtIndexPath(TableView *tableView, const IndexPath &indexPath) override;

    void imagePickerController(ImagePickerController *picker, const Picture &picture,
                               const ImagePickerEditingInfo &editingInfo) override;
    void imagePickerControllerDidCancel(ImagePickerController *picker) override;

    bool shouldAutorotateToInterfaceOrientation(int orientation) override;
    void viewWillAppear(bool animated) override;

    // The platform's version as a number, which decides whether the picker may offer its
    // own editing step.
    static double systemVersion();

protected:
    void viewDidLoad() override;

private:
    void push(ViewController *controller);
    // The continue row: enabled, with a thumbnail, when the settings hold a last picture.
    void showLastPicture();
    void dismissPicker(ImagePickerController *picker);

    std::unique_ptr<QWidget> m_layout; // holds the menu's cells and button from the layout
    QList<ImageTableViewCell *> m_cells;
    QPointer<QAction> m_menuButton;
    QFont m_font;
    SourceAvailability m_sourceAvailable;
    std::unique_ptr<ImagePickerController> m_imagePickerController;
    std::unique_ptr<PhotoViewController> m_photoViewController;
    std::unique_ptr<SettingsViewController> m_settingsViewController;
    std::unique_ptr<HelpController> m_helpController;
    std::unique_ptr<AboutController> m_aboutController;
};

#endif

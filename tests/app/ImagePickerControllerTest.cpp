#include "../platform/PlatformTestSupport.h"

#include "ImagePickerController.h"
#include "MessageBanner.h"
#include "PhotoAlbum.h"
#include "PhotoSettings.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

namespace {

class Recorder : public ImagePickerControllerDelegate
{
public:
    void imagePickerController(ImagePickerController *, const Picture &picture,
                               const ImagePickerEditingInfo &info) override
    {
        picked.push_back(picture);
        originals.push_back(info.originalImage);
    }
    void imagePickerControllerDidCancel(ImagePickerController *) override { ++cancelled; }

    std::vector<Picture> picked, originals;
    int cancelled = 0;
};

// A file, the browser's choice and a click in the album all reach the delegate, with the
// original when editing is allowed. The browser sits inside the picker, opens where the last
// photo came from with no name typed, and offers photos and all files.
TEST(ImagePickerController, PicksReachTheDelegateAndTheBrowserCancelCancelsButBadFilesDoNot)
{
    QTemporaryDir dir;
    PhotoSettings settings{dir.filePath(QStringLiteral("settings.ini"))};
    Recorder delegate;
    ImagePickerController picker;
    picker.setDelegate(&delegate);
    picker.view()->resize(360, 640);
    showExposed(picker.view());
    const QString photos = dir.filePath(QStringLiteral("photos"));
    const QString path = photos + QStringLiteral("/a.png");
    ASSERT_TRUE(QDir().mkpath(photos) && testPicture(40, 30).grid().save(path));
    picker.setSourceType(PictureSource::PhotoLibrary);
    ASSERT_TRUE(picker.pick(path));
    picker.setAllowsImageEditing(true);
    ASSERT_TRUE(picker.pick(path));
    ASSERT_EQ(delegate.picked.size(), 2u);
    EXPECT_EQ(delegate.picked[0].size(), QSizeF(40, 30));
    EXPECT_TRUE(delegate.originals[0].isNull());
    EXPECT_EQ(delegate.originals[1].grid(), delegate.picked[1].grid());

    const auto insidePicker = [&](QWidget *widget) {
        return !widget->isWindow() && picker.view()->rect().contains(QRect(
                                          widget->mapTo(picker.view(), QPoint()), widget->size()));
    };
    picker.viewWillAppear(false);
    QFileDialog *browser = picker.fileDialog();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(insidePicker(browser));
    EXPECT_EQ(browser->directory().absolutePath(), photos);
    EXPECT_EQ(browser->nameFilters(),
              QStringList({"JPEG and PNG photos (*.jpg *.jpeg *.png *.JPG *.JPEG *.PNG)",
                           "All files (*)"}));
    browser->reject();
    EXPECT_EQ(delegate.cancelled, 1);
    QLineEdit *name = browser->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QTest::keyClicks(name, path);
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(delegate.picked.size(), 3u);

    // The saved photos show newest first, and a click picks the one clicked.
    const QString album = dir.filePath(QStringLiteral("album"));
    for (int year : {2024, 2025})
        ASSERT_TRUE(PhotoAlbum::saveNow(testPicture(year - 2000, 20), album,
                                        QDateTime(QDate(year, 1, 1), QTime(0, 0)))
                        .ok());
    picker.setSourceType(PictureSource::SavedPhotosAlbum);
    picker.setAlbumFolder(album);
    picker.viewWillAppear(false);
    auto *grid = picker.view()->findChild<QListWidget *>(QStringLiteral("savedPhotos"));
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->count(), 2);
    EXPECT_TRUE(grid->item(0)->toolTip().contains(QStringLiteral("2025")));
    emit grid->itemClicked(grid->item(0));
    ASSERT_EQ(delegate.picked.size(), 4u);
    EXPECT_EQ(delegate.picked.back().size(), QSizeF(25, 20));

    // A file that is no photo is reported in the user's words, inside the picker, which stays.
    const QString bad = dir.filePath(QStringLiteral("notes.jpg"));
    ASSERT_TRUE(writeFile(bad, "shopping list"));
    EXPECT_FALSE(picker.pick(bad));
    const MessageBanner *banner = MessageBanner::shown(picker.view());
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->text(),
              QStringLiteral("This file is not a photo Velmora can open (JPEG or PNG)."));
    EXPECT_TRUE(banner->isVisible() && insidePicker(const_cast<MessageBanner *>(banner)));
    EXPECT_EQ(delegate.picked.size(), 4u);
    EXPECT_EQ(delegate.cancelled, 1);
}

} // namespace

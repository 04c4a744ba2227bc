#include "../platform/PlatformTestSupport.h"

#include "ImagePickerController.h"

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

// A file, the file dialog's choice and a click in the album all reach the delegate, with the
// original when editing is allowed; the dialog starts in the library folder.
TEST(ImagePickerController, PicksReachTheDelegateAndTheDialogsCancelCancelsButBadFilesDoNot)
{
    QTemporaryDir dir;
    Recorder delegate;
    QStringList errors;
    ImagePickerController picker;
    picker.setDelegate(&delegate);
    picker.setErrorReporter([&](QWidget *, const QString &message) { errors << message; });
    const QString path = dir.filePath(QStringLiteral("a.png"));
    ASSERT_TRUE(testPicture(40, 30).grid().save(path));
    picker.setSourceType(PictureSource::PhotoLibrary);
    ASSERT_TRUE(picker.pick(path));
    picker.setAllowsImageEditing(true);
    ASSERT_TRUE(picker.pick(path));
    ASSERT_EQ(delegate.picked.size(), 2u);
    EXPECT_EQ(delegate.picked[0].size(), QSizeF(40, 30));
    EXPECT_TRUE(delegate.originals[0].isNull());
    EXPECT_EQ(delegate.originals[1].grid(), delegate.picked[1].grid());

    QString folder, filter, chosen;
    picker.setLibraryFolder(dir.path());
    picker.setFileChooser([&](QWidget *, const QString &from, const QString &wanted) {
        folder = from;
        filter = wanted;
        return chosen;
    });
    picker.chooseFile();
    EXPECT_EQ(folder, dir.path());
    EXPECT_TRUE(filter.contains(QStringLiteral("*.jpg")));
    EXPECT_EQ(delegate.cancelled, 1);
    chosen = path;
    picker.chooseFile();
    EXPECT_EQ(delegate.picked.size(), 3u);

    picker.setSourceType(PictureSource::SavedPhotosAlbum);
    picker.setAlbumFolder(dir.path());
    picker.viewWillAppear(false);
    auto *grid = picker.view()->findChild<QListWidget *>(QStringLiteral("savedPhotos"));
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->count(), 1);
    emit grid->itemClicked(grid->item(0));
    EXPECT_EQ(delegate.picked.size(), 4u);

    // A bad file is reported and the picker stays open.
    const QString bad = dir.filePath(QStringLiteral("corrupt.jpg"));
    ASSERT_TRUE(writeFile(bad, "\xff\xd8\xff\xe0 not a jpeg"));
    EXPECT_FALSE(picker.pick(bad));
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(delegate.picked.size(), 4u);
    EXPECT_EQ(delegate.cancelled, 1);
}

} // namespace

#include "../platform/PlatformTestSupport.h"

#include "ImagePickerController.h"
#include "Log.h"

#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>

namespace {

QStringList g_logged; // what Velmora writes to its diagnostic log while `capture` is installed

void capture(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    if (context.category && QByteArray(context.category) == velmoraLog().categoryName())
        g_logged << message;
}

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

class ImagePickerControllerTest : public ::testing::Test
{
protected:
    ImagePickerControllerTest()
    {
        picker.setDelegate(&delegate);
        picker.setErrorReporter([this](QWidget *, const QString &message) { errors << message; });
        picker.setFileChooser(
            [](QWidget *, const QString &, const QString &) { return QString(); });
    }
    QString writePicture(const QString &name)
    {
        const QString path = dir.filePath(name);
        QDir(dir.path()).mkpath(QFileInfo(path).path());
        testPicture(40, 30).grid().save(path);
        return path;
    }

    QTemporaryDir dir;
    Recorder delegate;
    QStringList errors;
    ImagePickerController picker;
};

// A file, the file dialog's choice and a click in the album all reach the delegate, with the
// original when editing is allowed; the dialog starts in the library folder.
TEST_F(ImagePickerControllerTest, PicksReachTheDelegateAndTheDialogsCancelCancelsButBadFilesDoNot)
{
    const QString path = writePicture(QStringLiteral("a.png"));
    picker.setSourceType(PictureSource::PhotoLibrary);
    ASSERT_TRUE(picker.pick(path));
    picker.setAllowsImageEditing(true);
    ASSERT_TRUE(picker.pick(path));
    ASSERT_EQ(delegate.picked.size(), 2u);
    EXPECT_EQ(delegate.picked[0].size(), QSizeF(40, 30));
    EXPECT_TRUE(delegate.originals[0].isNull());
    EXPECT_EQ(delegate.originals[1].grid(), delegate.picked[1].grid());
    EXPECT_TRUE(picker.shouldAutorotateToInterfaceOrientation(1));
    EXPECT_FALSE(picker.shouldAutorotateToInterfaceOrientation(3)) << "portrait only";

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

    writePicture(QStringLiteral("album/Velmora_1.jpg"));
    picker.setSourceType(PictureSource::SavedPhotosAlbum);
    picker.setAlbumFolder(dir.filePath("album"));
    picker.view()->resize(320, 480);
    picker.viewWillAppear(false);
    auto *grid = picker.view()->findChild<QListWidget *>(QStringLiteral("savedPhotos"));
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->count(), 1);
    emit grid->itemClicked(grid->item(0));
    EXPECT_EQ(delegate.picked.size(), 4u);

    // Bad files are reported and the picker stays open.
    const struct
    {
        const char *name;
        QByteArray bytes; // empty: the file does not exist
        int sourceType;
    } cases[] = {{"missing.jpg", {}, PictureSource::PhotoLibrary},
                 {"corrupt.jpg", "\xff\xd8\xff\xe0 not a jpeg", PictureSource::PhotoLibrary},
                 {"text.png", "hello", PictureSource::SavedPhotosAlbum},
                 {"camera.jpg", "\xff\xd8", PictureSource::Camera}};
    for (const auto &c : cases) {
        const QString bad = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(c.bytes.isEmpty() || writeFile(bad, c.bytes));
        picker.setSourceType(c.sourceType);
        EXPECT_FALSE(picker.pick(bad)) << c.name;
        EXPECT_EQ(errors.size(), 1) << c.name;
        EXPECT_FALSE(errors.value(0).isEmpty());
        errors.clear();
    }
    EXPECT_EQ(delegate.picked.size(), 4u);
    EXPECT_EQ(delegate.cancelled, 1);
}

TEST_F(ImagePickerControllerTest, ViewsAreFoundByDescriptionAndLoggedDepthFirstWithTheirFrames)
{
    QWidget root, stranger;
    root.setObjectName(QStringLiteral("root"));
    root.setGeometry(0, 0, 320, 480);
    auto *a = new QWidget(&root);
    a->setObjectName(QStringLiteral("a"));
    a->setGeometry(10, 20, 30, 40);
    auto *label = new QLabel(a);
    label->setGeometry(1, 2, 3, 4);
    EXPECT_EQ(picker.view(label, QStringLiteral("QLabel"), &stranger), nullptr);
    new QWidget(&root); // unnamed, after `a` and all below it
    const QtMessageHandler previous = qInstallMessageHandler(capture);
    picker.parseView(&root, nullptr, 1);
    EXPECT_EQ(g_logged,
              QStringList({"1: QWidget root, frame(0, 0, 320, 480)",
                           "2: QWidget a, frame(10, 20, 30, 40)", "3: QLabel, frame(1, 2, 3, 4)",
                           "2: QWidget, frame(0, 0, 100, 30)"}));

    // Appearing logs the hooks and walks the window.
    g_logged.clear();
    picker.setSourceType(PictureSource::SavedPhotosAlbum);
    picker.setAlbumFolder(dir.path());
    picker.view();
    picker.viewWillAppear(false);
    picker.viewDidAppear(false);
    qInstallMessageHandler(previous);
    EXPECT_EQ(g_logged.mid(0, 3), QStringList({"viewDidLoad", "viewWillAppear", "viewDidAppear"}));
    EXPECT_TRUE(g_logged.value(3).startsWith(QStringLiteral("1: ")));
    EXPECT_EQ(g_logged.filter(QStringLiteral("pickerPage")).size(), 1);
}

} // namespace

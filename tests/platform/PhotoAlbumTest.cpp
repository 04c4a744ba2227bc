#include "PhotoAlbum.h"
#include "ImageFile.h"
#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <memory>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

class PhotoAlbumTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testApplication();
        ASSERT_TRUE(root.isValid());
    }

    QString folder(const QString &name = "album") const { return root.filePath(name); }
    // Every entry, hidden ones included: nothing half-written may be left behind.
    QStringList everything(const QString &path) const
    {
        return QDir(path).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    QTemporaryDir root;
    const Picture picture = pictureOf(TestPixels::gradient(80, 60));
};

TEST_F(PhotoAlbumTest, SaveWritesAReadableJpegAndCompletesOnTheMainThread)
{
    PhotoAlbum album(folder("new/album"));
    std::unique_ptr<PhotoAlbum::SaveResult> result;
    QThread *completedOn = nullptr;
    QObject context;
    album.save(picture, &context, [&](const PhotoAlbum::SaveResult &r) {
        result = std::make_unique<PhotoAlbum::SaveResult>(r);
        completedOn = QThread::currentThread();
    });
    EXPECT_EQ(result, nullptr) << "the save must not run on the caller";

    ASSERT_TRUE(waitUntil([&] { return result != nullptr; }));
    EXPECT_EQ(completedOn, QCoreApplication::instance()->thread());
    ASSERT_TRUE(result->ok()) << result->message.toStdString();
    EXPECT_EQ(album.pictures(), QStringList{result->filePath});
    EXPECT_EQ(everything(album.folder()).size(), 1);

    QFile file(result->filePath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString error;
    const Picture back = ImageFile::decode(file.readAll(), &error);
    EXPECT_EQ(back.grid().size(), QSize(80, 60));
}

TEST_F(PhotoAlbumTest, ConcurrentSavesInTheSameSecondGetDistinctNames)
{
    const QString path = folder();
    const QDateTime when(QDate(2024, 3, 1), QTime(12, 0, 0));
    constexpr int kSaves = 8;
    std::vector<PhotoAlbum::SaveResult> results(kSaves);
    std::vector<std::thread> threads;
    for (int i = 0; i < kSaves; ++i)
        threads.emplace_back([&, i] { results[i] = PhotoAlbum::saveNow(picture, path, when); });
    for (std::thread &t : threads)
        t.join();

    QSet<QString> names;
    for (const PhotoAlbum::SaveResult &r : results) {
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        names.insert(r.filePath);
    }
    EXPECT_EQ(names.size(), kSaves);
    EXPECT_EQ(PhotoAlbum(path).pictures().size(), kSaves);
    EXPECT_EQ(everything(path).size(), kSaves) << "no temporary file is left";
}

TEST_F(PhotoAlbumTest, AsynchronousSavesNeverOverwriteEachOther)
{
    PhotoAlbum album(folder());
    QObject context;
    QStringList saved;
    for (int i = 0; i < 5; ++i)
        album.save(picture, &context, [&](const PhotoAlbum::SaveResult &r) {
            EXPECT_TRUE(r.ok()) << r.message.toStdString();
            saved << r.filePath;
        });
    ASSERT_TRUE(waitUntil([&] { return saved.size() == 5; }));
    saved.sort();
    EXPECT_EQ(saved.removeDuplicates(), 0);
    EXPECT_EQ(album.pictures().size(), 5);
}

TEST_F(PhotoAlbumTest, ReadOnlyFolderIsReportedAndLeftUntouched)
{
    const QString path = folder();
    ASSERT_TRUE(QDir().mkpath(path));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0555), 0);
    PhotoAlbum::SaveResult result;
    {
        WithoutPermissionOverride asUser;
        if (WithoutPermissionOverride::stillPrivileged(asUser))
            GTEST_SKIP() << "permissions cannot be enforced for this process";
        result = PhotoAlbum::saveNow(picture, path);
    }
    ::chmod(QFile::encodeName(path).constData(), 0755);

    EXPECT_EQ(result.error, PhotoAlbum::Error::NotWritable);
    EXPECT_TRUE(result.message.contains(path)) << result.message.toStdString();
    EXPECT_TRUE(everything(path).isEmpty());
}

TEST_F(PhotoAlbumTest, FolderThatCannotBeCreatedIsReported)
{
    QFile blocker(folder("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    const PhotoAlbum::SaveResult result = PhotoAlbum::saveNow(picture, folder("blocker/album"));

    EXPECT_EQ(result.error, PhotoAlbum::Error::NotWritable);
    EXPECT_FALSE(result.message.isEmpty());
}

TEST_F(PhotoAlbumTest, FullDiskIsReportedAndLeavesNoPartialFile)
{
    const QString path = folder();
    ASSERT_TRUE(QDir().mkpath(path));
    // Random pixels compress badly: the JPEG is far larger than the space left.
    const Picture noisy = pictureOf(TestPixels::random(200, 200, 7));
    PhotoAlbum::SaveResult result;
    {
        FileSizeLimit full(4096);
        result = PhotoAlbum::saveNow(noisy, path);
    }

    EXPECT_EQ(result.error, PhotoAlbum::Error::DiskFull) << result.message.toStdString();
    EXPECT_TRUE(result.message.contains("full")) << result.message.toStdString();
    EXPECT_TRUE(everything(path).isEmpty());
}

TEST_F(PhotoAlbumTest, NoPictureIsRefused)
{
    const PhotoAlbum::SaveResult result = PhotoAlbum::saveNow(Picture(), folder());
    EXPECT_EQ(result.error, PhotoAlbum::Error::NoPicture);
    EXPECT_FALSE(QFileInfo::exists(folder()));
}

TEST_F(PhotoAlbumTest, CompletionForADestroyedContextIsDropped)
{
    PhotoAlbum album(folder());
    bool called = false;
    auto context = std::make_unique<QObject>();
    album.save(picture, context.get(), [&](const PhotoAlbum::SaveResult &) { called = true; });
    context.reset();
    ASSERT_TRUE(waitUntil([&] { return album.pictures().size() == 1; }));
    spinFor(50);
    EXPECT_FALSE(called);
}

TEST_F(PhotoAlbumTest, ListingShowsPicturesOnlyInNumericNameOrder)
{
    const QString path = folder();
    ASSERT_TRUE(QDir().mkpath(path));
    for (const char *name :
         {"b_10.jpg", "b_2.jpg", "a.png", "notes.txt", ".velmora-save-abc", "c.JPEG"}) {
        QFile file(QDir(path).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList names;
    for (const QString &p : PhotoAlbum(path).pictures())
        names << QFileInfo(p).fileName();
    EXPECT_EQ(names, (QStringList{"a.png", "b_2.jpg", "b_10.jpg", "c.JPEG"}));
    EXPECT_TRUE(PhotoAlbum(folder("missing")).pictures().isEmpty());
}

} // namespace

#include "PhotoAlbum.h"
#include "ImageFile.h"
#include "PlatformTestSupport.h"

#include <QTemporaryDir>
#include <QThreadPool>

namespace {

using Result = PhotoAlbum::SaveResult;
using Error = PhotoAlbum::Error;

class PhotoAlbumTest : public ::testing::Test
{
protected:
    QTemporaryDir root;
    const QString folder = root.filePath("new/album");
    const Picture picture = testPicture(80, 60);
};

TEST_F(PhotoAlbumTest, ConcurrentSavesGetDistinctNamesAndCompleteOnTheMainThread)
{
    QThreadPool::globalInstance()->setMaxThreadCount(8); // all at once, in the same second
    PhotoAlbum album(folder);
    QStringList saved;
    bool onMain = true, deadCalled = false;
    QObject context;
    auto dead = std::make_unique<QObject>();
    for (int i = 0; i < 8; ++i)
        album.save(picture, &context, [&](const Result &r) {
            saved << r.filePath;
            onMain = onMain && QThread::currentThread() == QCoreApplication::instance()->thread();
        });
    album.save(picture, dead.get(), [&](const Result &) { deadCalled = true; });
    dead.reset();
    EXPECT_TRUE(saved.isEmpty()) << "the saves must not run on the caller";
    ASSERT_TRUE(waitUntil([&] { return saved.size() == 8 && album.pictures().size() == 9; }));
    waitUntil([] { return false; }, 50);
    EXPECT_FALSE(deadCalled) << "a destroyed context gets no completion";
    EXPECT_TRUE(onMain);
    EXPECT_EQ(saved.removeDuplicates(), 0);
    EXPECT_EQ(filesIn(folder).size(), 9) << "no temporary file is left";
    QString error;
    EXPECT_EQ(ImageFile::read(saved.first(), &error).grid().size(), QSize(80, 60));
}

// Saves into a read-only folder (0), on a full disk (1), under a file (2), of no picture (3).
using PhotoAlbumRefusal = WithParam<PhotoAlbumTest, std::pair<int, Error>>;

TEST_P(PhotoAlbumRefusal, IsReportedAndLeavesNoFile)
{
    QString path = folder;
    Result r;
    ASSERT_TRUE(QDir().mkpath(path) && writeFile(root.filePath("file"), ""));
    switch (GetParam().first) {
    case 0:
        if (!inReadOnlyFolder(path, [&] { r = PhotoAlbum::saveNow(picture, path); }))
            GTEST_SKIP() << "permissions cannot be enforced for this process";
        break;
    case 1:
        onFullDisk(4096, [&] { r = PhotoAlbum::saveNow(testPicture(200, 200, 7), path); });
        break;
    case 2:
        r = PhotoAlbum::saveNow(picture, path = root.filePath("file/album"));
        break;
    case 3:
        r = PhotoAlbum::saveNow(Picture(), path);
        break;
    }
    EXPECT_EQ(r.error, GetParam().second);
    EXPECT_TRUE(r.message.contains(GetParam().first == 3 ? "no picture" : path))
        << r.message.toStdString();
    EXPECT_TRUE(filesIn(folder).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Faults, PhotoAlbumRefusal,
                         ::testing::Values(std::pair(0, Error::NotWritable),
                                           std::pair(1, Error::DiskFull),
                                           std::pair(2, Error::NotWritable),
                                           std::pair(3, Error::NoPicture)));

TEST_F(PhotoAlbumTest, ListsPicturesOnlyInNumericNameOrder)
{
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char *name :
         {"b_10.jpg", "b_2.jpg", "a.png", "notes.txt", ".velmora-save-1", "c.JPEG"})
        ASSERT_TRUE(writeFile(QDir(folder).filePath(name), ""));
    QStringList names;
    for (const QString &p : PhotoAlbum(folder).pictures())
        names << QFileInfo(p).fileName();
    EXPECT_EQ(names, (QStringList{"a.png", "b_2.jpg", "b_10.jpg", "c.JPEG"}));
    EXPECT_TRUE(PhotoAlbum(root.filePath("missing")).pictures().isEmpty());
}

} // namespace

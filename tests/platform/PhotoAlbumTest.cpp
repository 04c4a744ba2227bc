#include "PhotoAlbum.h"
#include "ImageFile.h"
#include "PlatformTestSupport.h"

#include <QSet>
#include <QTemporaryDir>

#include <memory>
#include <thread>
#include <vector>

namespace {

using Result = PhotoAlbum::SaveResult;
using Error = PhotoAlbum::Error;

class PhotoAlbumTest : public ::testing::Test
{
protected:
    QTemporaryDir root;
    const QString folder = root.filePath("album");
    const Picture picture = testPicture(80, 60);
};

TEST_F(PhotoAlbumTest, SavesAReadableJpegOffTheMainThreadAndCompletesOnIt)
{
    PhotoAlbum album(root.filePath("new/album"));
    std::unique_ptr<Result> result;
    QThread *completedOn = nullptr;
    bool deadCalled = false;
    QObject context;
    auto dead = std::make_unique<QObject>();
    album.save(picture, &context, [&](const Result &r) {
        result = std::make_unique<Result>(r);
        completedOn = QThread::currentThread();
    });
    album.save(picture, dead.get(), [&](const Result &) { deadCalled = true; });
    dead.reset();
    EXPECT_EQ(result, nullptr) << "the save must not run on the caller";
    ASSERT_TRUE(waitUntil([&] { return result && album.pictures().size() == 2; }));
    waitUntil([] { return false; }, 50);
    EXPECT_FALSE(deadCalled) << "a destroyed context gets no completion";
    EXPECT_EQ(completedOn, QCoreApplication::instance()->thread());
    EXPECT_TRUE(album.pictures().contains(result->filePath)) << result->message.toStdString();
    EXPECT_EQ(filesIn(album.folder()).size(), 2);
    QString error;
    EXPECT_EQ(ImageFile::read(result->filePath, &error).grid().size(), QSize(80, 60));
}

TEST_F(PhotoAlbumTest, ConcurrentSavesInTheSameSecondGetDistinctNames)
{
    const QDateTime when(QDate(2024, 3, 1), QTime(12, 0, 0));
    std::vector<Result> results(8);
    std::vector<std::thread> threads;
    for (Result &r : results)
        threads.emplace_back([&] { r = PhotoAlbum::saveNow(picture, folder, when); });
    QSet<QString> names;
    for (int i = 0; i < 8; ++i) {
        threads[i].join();
        names.insert(results[i].filePath);
    }
    EXPECT_EQ(names.size(), 8);
    EXPECT_EQ(filesIn(folder).size(), 8) << "every save is kept, no temporary file is left";
}

enum class Fault
{
    ReadOnly,
    FullDisk,
    Uncreatable,
    NoPicture
};

class PhotoAlbumRefusal : public PhotoAlbumTest,
                          public ::testing::WithParamInterface<std::pair<Fault, Error>>
{
};

TEST_P(PhotoAlbumRefusal, IsReportedAndLeavesNoFile)
{
    QString path = folder;
    Result r;
    ASSERT_TRUE(QDir().mkpath(path) && writeFile(root.filePath("file"), ""));
    switch (GetParam().first) {
    case Fault::ReadOnly:
        if (!inReadOnlyFolder(path, [&] { r = PhotoAlbum::saveNow(picture, path); }))
            GTEST_SKIP() << "permissions cannot be enforced for this process";
        break;
    case Fault::FullDisk:
        onFullDisk(4096, [&] { r = PhotoAlbum::saveNow(testPicture(200, 200, 7), path); });
        break;
    case Fault::Uncreatable: // a file stands where a parent folder should be
        r = PhotoAlbum::saveNow(picture, path = root.filePath("file/album"));
        break;
    case Fault::NoPicture:
        r = PhotoAlbum::saveNow(Picture(), path);
        break;
    }
    EXPECT_EQ(r.error, GetParam().second);
    EXPECT_TRUE(r.message.contains(GetParam().first == Fault::NoPicture ? "no picture" : path))
        << r.message.toStdString();
    EXPECT_TRUE(filesIn(folder).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Faults, PhotoAlbumRefusal,
                         ::testing::Values(std::pair(Fault::ReadOnly, Error::NotWritable),
                                           std::pair(Fault::FullDisk, Error::DiskFull),
                                           std::pair(Fault::Uncreatable, Error::NotWritable),
                                           std::pair(Fault::NoPicture, Error::NoPicture)));

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

#include "PhotoAlbum.h"
#include "ImageFile.h"
#include "KillTest.h"
#include "PlatformTestSupport.h"

#include <QTemporaryDir>
#include <QThreadPool>

#include <atomic>
#include <fcntl.h>
#include <sys/file.h>

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

TEST_F(PhotoAlbumTest, ConcurrentSavesInOneSecondGetTheirOwnNamesAndCompleteOnTheMainThread)
{
    QThreadPool::globalInstance()->setMaxThreadCount(8); // all at once
    PhotoAlbum album(folder);
    const QDateTime when(QDate(2024, 11, 2), QTime(3, 4, 5));
    std::atomic<int> clockOnCaller{0};
    album.setClock([&] {
        clockOnCaller += QThread::currentThread() == QCoreApplication::instance()->thread();
        return when;
    });
    QStringList saved;
    bool onMain = true, deadCalled = false;
    QObject context;
    auto dead = std::make_unique<QObject>();
    for (int i = 0; i < 4; ++i)
        album.save(picture, &context, [&](const Result &r) {
            saved << r.filePath;
            onMain = onMain && QThread::currentThread() == QCoreApplication::instance()->thread();
        });
    album.save(picture, dead.get(), [&](const Result &) { deadCalled = true; });
    dead.reset();
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::sendPostedEvents(); // every completion is queued by now
    EXPECT_EQ(clockOnCaller, 0) << "the saves run on workers";
    EXPECT_FALSE(deadCalled) << "a destroyed context gets no completion";
    EXPECT_TRUE(onMain);
    EXPECT_EQ(saved.size(), 4);
    EXPECT_EQ(saved.removeDuplicates(), 0);
    QStringList names;
    for (const QString &p : album.pictures()) {
        names << QFileInfo(p).fileName();
        struct stat info;
        EXPECT_TRUE(::stat(QFile::encodeName(p).constData(), &info) == 0 &&
                    (info.st_mode & 0777) == 0644)
            << "pictures are readable by all";
    }
    const QString base = "Velmora_20241102_030405";
    EXPECT_EQ(names, (QStringList{base + ".jpg", base + "_1.jpg", base + "_2.jpg", base + "_3.jpg",
                                  base + "_4.jpg"}));
    EXPECT_EQ(filesIn(folder).size(), 5) << "no temporary file is left";
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

TEST_F(PhotoAlbumTest, ASaveRemovesTheTemporariesOfKilledSavesButNotOfRunningOnes)
{
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString stale = QDir(folder).filePath(".velmora-save-k1ll3d"),
                  running = QDir(folder).filePath(".velmora-save-w0rk1n");
    ASSERT_TRUE(writeFile(stale, QByteArray(5000, 'x')) && writeFile(running, "busy"));
    const int busy = ::open(QFile::encodeName(running).constData(), O_RDONLY);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);
    const Result r = PhotoAlbum::saveNow(picture, folder);
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_EQ(filesIn(folder),
              (QStringList{".velmora-save-w0rk1n", QFileInfo(r.filePath).fileName()}));
    ::close(busy);
}

// Killed anywhere in a save, many times: every picture under an album name is whole, and
// the temporary a killed save leaves goes with the next save.
TEST_F(PhotoAlbumTest, AKilledSaveLeavesOnlyWholePictures)
{
    ASSERT_TRUE(QDir().mkpath(folder));
    const Picture large = testPicture(640, 480);
    ImageFile::encodeJpeg(large); // image plugins loaded before the children fork
    const QDateTime when(QDate(2026, 5, 4), QTime(3, 2, 1));
    int leftBehind = 0;
    const long saves = KillTest::killRepeatedly(
        KillTest::rounds(6), 30000,
        [&](const std::function<void()> &done) {
            while (PhotoAlbum::saveNow(large, folder, when).ok())
                done();
        },
        [&] {
            const QStringList pictures = PhotoAlbum(folder).pictures();
            leftBehind = qMax(leftBehind, int(filesIn(folder).size() - pictures.size()));
            for (const QString &path : pictures) {
                QString error;
                ASSERT_FALSE(ImageFile::read(path, &error).isNull()) << error.toStdString();
            }
        });
    EXPECT_GT(saves, 0);
    EXPECT_LE(leftBehind, 1) << "temporaries do not pile up";
    ASSERT_TRUE(PhotoAlbum::saveNow(large, folder, when).ok());
    EXPECT_EQ(filesIn(folder).size(), PhotoAlbum(folder).pictures().size());
}

} // namespace

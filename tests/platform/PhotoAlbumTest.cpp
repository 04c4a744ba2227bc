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
    QStringList names() const
    {
        QStringList names;
        for (const QString &path : PhotoAlbum(folder).pictures())
            names << QFileInfo(path).fileName();
        return names;
    }

    QTemporaryDir root;
    const QString folder = root.filePath("new/album");
    const Picture picture = testPicture(80, 60);
};

TEST_F(PhotoAlbumTest, ConcurrentSavesInOneSecondGetTheirOwnNamesAndCompleteOnTheMainThread)
{
    QThreadPool::globalInstance()->setMaxThreadCount(8); // all at once
    PhotoAlbum album(folder);
    const auto isMain = [] { return QThread::currentThread() == qApp->thread(); };
    std::atomic<int> clockOnMain{0};
    album.setClock([&] {
        clockOnMain += isMain();
        return QDateTime(QDate(2024, 11, 2), QTime(3, 4, 5));
    });
    QStringList saved; // on the main thread, for live contexts only
    QObject context;
    auto dead = std::make_unique<QObject>();
    for (int i = 0; i < 4; ++i)
        album.save(picture, &context, [&](const Result &r) {
            if (isMain())
                saved << r.filePath;
        });
    album.save(picture, dead.get(), [&](const Result &r) { saved << r.filePath; });
    dead.reset();
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::sendPostedEvents(); // every completion is queued by now
    EXPECT_EQ(clockOnMain, 0) << "the saves run on workers";
    EXPECT_EQ(saved.size(), 4);
    EXPECT_EQ(saved.removeDuplicates(), 0);
    const QString base = "Velmora_20241102_030405";
    EXPECT_EQ(names(), (QStringList{base + ".jpg", base + "_1.jpg", base + "_2.jpg",
                                    base + "_3.jpg", base + "_4.jpg"}));
    EXPECT_EQ(QFile::permissions(saved.first()) & ~(QFile::ReadUser | QFile::WriteUser),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    EXPECT_EQ(filesIn(folder).size(), 5) << "no temporary file is left";
}

TEST_F(PhotoAlbumTest, RefusedSavesSayWhyAndLeaveNoFile)
{
    ASSERT_TRUE(QDir().mkpath(folder));
    const auto expect = [&](const Result &r, Error error, const QString &named) {
        EXPECT_EQ(r.error, error) << named.toStdString();
        EXPECT_TRUE(r.message.contains(named)) << r.message.toStdString();
        EXPECT_TRUE(filesIn(folder).isEmpty());
    };
    Result r;
    ASSERT_TRUE(inReadOnlyFolder(folder, [&] { r = PhotoAlbum::saveNow(picture, folder); }));
    expect(r, Error::NotWritable, folder);
    onFullDisk(4096, [&] { r = PhotoAlbum::saveNow(testPicture(200, 200, 7), folder); });
    expect(r, Error::DiskFull, folder);
    expect(PhotoAlbum::saveNow(Picture(), folder), Error::NoPicture, "no picture");
}

// Pictures only, in numeric name order; a save removes the temporaries of killed saves but
// not the locked one of a save still running.
TEST_F(PhotoAlbumTest, ListsPicturesInNumericOrderAndClearsOnlyDeadTemporaries)
{
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char *name : {"b_10.jpg", "b_2.jpg", "a.png", "notes.txt", "c.JPEG"})
        ASSERT_TRUE(writeFile(QDir(folder).filePath(name), ""));
    const QString stale = QDir(folder).filePath(".velmora-save-k1ll3d"),
                  running = QDir(folder).filePath(".velmora-save-w0rk1n");
    ASSERT_TRUE(writeFile(stale, QByteArray(5000, 'x')) && writeFile(running, "busy"));
    const int busy = ::open(QFile::encodeName(running).constData(), O_RDONLY);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);
    const Result r =
        PhotoAlbum::saveNow(picture, folder, QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
    ::close(busy);
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_EQ(names(), (QStringList{"a.png", "b_2.jpg", "b_10.jpg", "c.JPEG",
                                    "Velmora_20240101_000000.jpg"}));
    EXPECT_TRUE(filesIn(folder).contains(".velmora-save-w0rk1n"));
    EXPECT_FALSE(filesIn(folder).contains(".velmora-save-k1ll3d"));
}

// Killed anywhere in a save, many times (every other time in the middle of writing the
// picture): every picture under an album name is whole, and the temporary a killed save
// leaves goes with the next save.
TEST_F(PhotoAlbumTest, AKilledSaveLeavesOnlyWholePictures)
{
    const Picture large = testPicture(640, 480, 3);
    const qint64 bytes = ImageFile::encodeJpeg(large, 90).size(); // plugins load before forks
    const QDateTime when(QDate(2026, 5, 4), QTime(3, 2, 1));
    int round = 0, leftBehind = 0;
    const long saves = KillTest::killRepeatedly(
        KillTest::rounds(8), 30000,
        [&](const std::function<void()> &done) {
            if (round % 2)
                KillTest::dieWhenAFileReaches(rlim_t(bytes * round / 8));
            while (PhotoAlbum::saveNow(large, folder, when).ok())
                done();
        },
        [&] {
            ++round;
            const QStringList pictures = PhotoAlbum(folder).pictures();
            leftBehind = qMax(leftBehind, int(filesIn(folder).size() - pictures.size()));
            for (const QString &path : pictures) {
                QString error;
                ASSERT_FALSE(ImageFile::read(path, &error).isNull()) << error.toStdString();
            }
        });
    EXPECT_GT(saves, 0);
    EXPECT_LE(leftBehind, 1) << "temporaries do not pile up";
}

} // namespace

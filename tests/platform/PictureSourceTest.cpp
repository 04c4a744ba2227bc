#include "PictureSource.h"
#include "PlatformTestSupport.h"

#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

TEST(PictureSource, OffersTheCameraOnlyWhenAttachedAndHandsOnlyChosenFilesToTheLoader)
{
#ifndef VELMORA_HAVE_MULTIMEDIA
    EXPECT_FALSE(PictureSource::cameraAvailable());
#endif
    EXPECT_EQ(PictureSource::isSourceTypeAvailable(PictureSource::Camera),
              PictureSource::cameraAvailable());
    QTemporaryDir dir;
    const QString file = dir.filePath("chosen.jpg"), pipe = dir.filePath("pipe.jpg");
    ASSERT_TRUE(writeFile(file, "bytes") &&
                ::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    QStringList asked;
    Picture answer = testPicture();
    QString reason;
    const auto load = [&](int source, const QString &path) {
        return PictureSource::load(source, path, [&](const QString &p, QString *why) {
            asked << p;
            *why = reason;
            return answer;
        });
    };
    // Nothing chosen, a missing file, a folder, a FIFO (nothing may wait for a writer that
    // never comes).
    for (const auto &[source, path] : {std::pair{int(PictureSource::PhotoLibrary), QString()},
                                       {PictureSource::PhotoLibrary, dir.filePath("gone.jpg")},
                                       {PictureSource::SavedPhotosAlbum, dir.path()},
                                       {PictureSource::PhotoLibrary, pipe}}) {
        const auto refused = load(source, path);
        EXPECT_TRUE(!refused.ok() && !refused.error.isEmpty()) << path.toStdString();
    }
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(load(PictureSource::PhotoLibrary, file).picture.grid().cacheKey(),
              answer.grid().cacheKey());
    EXPECT_EQ(asked, QStringList{file});
    answer = Picture();
    reason = "The file is truncated.";
    EXPECT_EQ(load(PictureSource::SavedPhotosAlbum, file).error, reason);
    reason.clear(); // a failure the loader did not explain is explained, naming the file
    const auto unexplained = load(PictureSource::PhotoLibrary, file);
    EXPECT_TRUE(!unexplained.ok() && unexplained.error.contains(file));
}

} // namespace

#include "PictureSource.h"
#include "PlatformTestSupport.h"

#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

TEST(PictureSource, LibraryAndAlbumAreAlwaysAvailableTheCameraOnlyWhenAttached)
{
    EXPECT_TRUE(PictureSource::isSourceTypeAvailable(PictureSource::PhotoLibrary) &&
                PictureSource::isSourceTypeAvailable(PictureSource::SavedPhotosAlbum));
    EXPECT_FALSE(PictureSource::isSourceTypeAvailable(-1) ||
                 PictureSource::isSourceTypeAvailable(3));
#ifndef VELMORA_HAVE_MULTIMEDIA
    EXPECT_FALSE(PictureSource::cameraAvailable());
#endif
    EXPECT_EQ(PictureSource::isSourceTypeAvailable(PictureSource::Camera),
              PictureSource::cameraAvailable());
}

class PictureSourceLoad : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(writeFile(file, "bytes")); }
    PictureSource::LoadResult load(int source, const QString &path)
    {
        return PictureSource::load(source, path, [this](const QString &p, QString *why) {
            asked << p;
            *why = reason;
            return answer;
        });
    }
    QTemporaryDir dir;
    const QString file = dir.filePath("chosen.jpg");
    QStringList asked; // what the loader was asked for
    Picture answer = testPicture();
    QString reason;
};

TEST_F(PictureSourceLoad, HandsTheChosenFileToTheLoaderAndPassesOnItsReason)
{
    EXPECT_EQ(load(PictureSource::PhotoLibrary, file).picture.grid().cacheKey(),
              answer.grid().cacheKey());
    EXPECT_EQ(asked, QStringList{file});
    answer = Picture();
    reason = "The file is truncated.";
    EXPECT_EQ(load(PictureSource::SavedPhotosAlbum, file).error, reason);
    reason.clear(); // a failure the loader did not explain is explained, naming the file
    const auto result = load(PictureSource::PhotoLibrary, file);
    EXPECT_TRUE(!result.ok() && result.error.contains(file)) << result.error.toStdString();
}

TEST_F(PictureSourceLoad, ReadsThroughTheImageFileIntakeByDefault)
{
    // "chosen.jpg" holds five bytes of text: the intake's reason names the file.
    const auto refused = PictureSource::load(PictureSource::PhotoLibrary, file);
    EXPECT_TRUE(!refused.ok() && refused.error.contains("chosen.jpg"))
        << refused.error.toStdString();
    const QString photo = dir.filePath("photo.png");
    ASSERT_TRUE(TestImages::solid(6, 4, Qt::darkCyan).save(photo));
    const auto loaded = PictureSource::load(PictureSource::PhotoLibrary, photo);
    EXPECT_EQ(loaded.picture.size(), QSizeF(6, 4)) << loaded.error.toStdString();
}

// Nothing chosen, a missing file, a folder, a FIFO, an unknown source.
using PictureSourceRefusal = WithParam<PictureSourceLoad, std::pair<int, const char *>>;

TEST_P(PictureSourceRefusal, NeverReachesTheLoader)
{
    const QString path = *GetParam().second ? dir.filePath(GetParam().second) : "";
    // Nothing may wait for a writer that never comes.
    ASSERT_TRUE(!path.endsWith("pipe.jpg") ||
                ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    const auto result = load(GetParam().first, path);
    EXPECT_TRUE(!result.ok() && !result.error.isEmpty());
    EXPECT_TRUE(asked.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Choices, PictureSourceRefusal,
                         ::testing::Values(std::pair(PictureSource::PhotoLibrary, ""),
                                           std::pair(PictureSource::PhotoLibrary, "gone.jpg"),
                                           std::pair(PictureSource::SavedPhotosAlbum, "."),
                                           std::pair(PictureSource::PhotoLibrary, "pipe.jpg"),
                                           std::pair(9, "chosen.jpg")));

} // namespace

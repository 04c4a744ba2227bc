#include "PictureSource.h"
#include "PhotoAlbum.h"
#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

struct Availability
{
    int source;
    bool available;
};

class PictureSourceAvailability : public ::testing::TestWithParam<Availability>
{
};

TEST_P(PictureSourceAvailability, MatchesWhatThisBuildCanOffer)
{
    testApplication();
    EXPECT_EQ(PictureSource::isSourceTypeAvailable(GetParam().source), GetParam().available);
}

#ifdef VELMORA_HAVE_MULTIMEDIA
constexpr bool kCameraPossible = true;
#else
constexpr bool kCameraPossible = false;
#endif

INSTANTIATE_TEST_SUITE_P(Sources, PictureSourceAvailability,
                         ::testing::Values(Availability{PictureSource::PhotoLibrary, true},
                                           Availability{PictureSource::SavedPhotosAlbum, true},
                                           Availability{-1, false}, Availability{3, false}));

TEST(PictureSource, CameraNeedsCameraSupportInTheBuild)
{
    testApplication();
    if (!kCameraPossible) {
        EXPECT_FALSE(PictureSource::isSourceTypeAvailable(PictureSource::Camera));
    }
    EXPECT_EQ(PictureSource::isSourceTypeAvailable(PictureSource::Camera),
              PictureSource::cameraAvailable());
}

class PictureSourceLoad : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testApplication();
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath("chosen.jpg");
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("bytes");
    }

    // Records what it was asked for and answers as told.
    PictureSource::Loader loader(Picture answer, QString error = {})
    {
        return [this, answer, error](const QString &path, QString *why) {
            asked << path;
            if (!error.isEmpty())
                *why = error;
            return answer;
        };
    }

    QTemporaryDir dir;
    QString file;
    QStringList asked;
};

TEST_F(PictureSourceLoad, HandsTheChosenFileToTheLoader)
{
    const Picture picture = pictureOf(TestPixels::gradient(4, 3));
    const auto result = PictureSource::load(PictureSource::PhotoLibrary, file, loader(picture));
    EXPECT_EQ(asked, QStringList{file});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.picture.grid().cacheKey(), picture.grid().cacheKey());
    EXPECT_TRUE(result.error.isEmpty());
}

TEST_F(PictureSourceLoad, PassesOnTheLoadersReason)
{
    const auto result = PictureSource::load(PictureSource::SavedPhotosAlbum, file,
                                            loader(Picture(), "The file is truncated."));
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.error, "The file is truncated.");
}

TEST_F(PictureSourceLoad, ExplainsAFailureTheLoaderDidNotExplain)
{
    const auto result = PictureSource::load(PictureSource::PhotoLibrary, file, loader(Picture()));
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains(file));
}

TEST_F(PictureSourceLoad, ReadsThroughTheImageFileIntakeByDefault)
{
    // "chosen.jpg" holds five bytes of text: the intake's reason names the file.
    const auto refused = PictureSource::load(PictureSource::PhotoLibrary, file);
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error.contains("chosen.jpg")) << refused.error.toStdString();

    const QString photo = dir.filePath("photo.png");
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(photo));
    const auto loaded = PictureSource::load(PictureSource::PhotoLibrary, photo);
    ASSERT_TRUE(loaded.ok()) << loaded.error.toStdString();
    EXPECT_EQ(loaded.picture.size(), QSizeF(6, 4));
}

struct BadChoice
{
    const char *label;
    int source;
    const char *path; // relative to the test folder; "" for none
};

class PictureSourceRefusal : public PictureSourceLoad,
                             public ::testing::WithParamInterface<BadChoice>
{
};

TEST_P(PictureSourceRefusal, NeverReachesTheLoader)
{
    const QString path = *GetParam().path ? dir.filePath(GetParam().path) : QString();
    const auto result =
        PictureSource::load(GetParam().source, path, loader(pictureOf(TestPixels::gradient(2, 2))));
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_TRUE(asked.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Choices, PictureSourceRefusal,
    ::testing::Values(BadChoice{"NothingChosen", PictureSource::PhotoLibrary, ""},
                      BadChoice{"MissingFile", PictureSource::PhotoLibrary, "gone.jpg"},
                      BadChoice{"Folder", PictureSource::SavedPhotosAlbum, "."},
                      BadChoice{"UnknownSource", 9, "chosen.jpg"}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(PictureSourceLoad, SavedPhotosAreTheAlbumsPictures)
{
    const QString album = dir.filePath("album");
    ASSERT_TRUE(PhotoAlbum::saveNow(pictureOf(TestPixels::gradient(8, 8)), album).ok());
    const QStringList offered = PictureSource::savedPhotos(PhotoAlbum(album));
    ASSERT_EQ(offered.size(), 1);
    EXPECT_TRUE(offered.first().startsWith(album));
}

} // namespace

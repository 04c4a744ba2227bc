#include "PhotoSettings.h"
#include "../platform/PlatformTestSupport.h"
#include "ImageFile.h"

#include <QSettings>
#include <QTemporaryDir>

#include <memory>

namespace {

// Animation, update and left hand as 0 or 1, then group, photo size and ui type.
QString state(const PhotoSettings &s)
{
    return QString::asprintf("%d%d%d %d %d %d", s.animation(), s.update(), s.lefthand(),
                             s.segment(), s.photoSize(), s.uiType());
}

class PhotoSettingsTest : public ::testing::Test
{
protected:
    // An independent reader of what is on disk.
    QVariant stored(const QString &key) const
    {
        return QSettings(path, QSettings::IniFormat).value(key);
    }
    // Settings whose encoder counts its calls.
    std::unique_ptr<PhotoSettings> open()
    {
        auto settings = std::make_unique<PhotoSettings>(path);
        settings->setEncoder([this](const Picture &p) {
            ++encodes;
            return ImageFile::encodeJpeg(p, 90);
        });
        return settings;
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("settings.ini");
    int encodes = 0;
};

TEST_F(PhotoSettingsTest, FirstRunHasTheDefaultsAndChoicesSurviveARestart)
{
    auto settings = open();
    EXPECT_EQ(PhotoSettings::settings(), settings.get());
    EXPECT_EQ(state(*settings), "100 0 0 0");
    EXPECT_TRUE(settings->image().isNull());
    ASSERT_TRUE(settings->save());
    const char *written[][2] = {{"saved", "true"},      {"animation", "true"}, {"update", "false"},
                                {"left hand", "false"}, {"group", "0"},        {"photo size", "0"},
                                {"ui type", "0"}};
    for (const auto &[key, value] : written)
        EXPECT_EQ(stored(key), value) << key;
    EXPECT_FALSE(stored("image").isValid());

    const QByteArray name = QFile::encodeName(path);
    ASSERT_EQ(::chmod(name.constData(), 0640), 0);
    settings->setAnimation(false);
    settings->setUpdate(true);
    settings->setSegment(2);
    settings->setPhotoSize(1);
    settings->setUiType(1);
    ASSERT_TRUE(settings->save());
    settings->setLefthand(true); // not saved
    struct stat info;
    EXPECT_TRUE(::stat(name.constData(), &info) == 0 && (info.st_mode & 0777) == 0640)
        << "a save keeps the file's permissions";
    settings.reset();
    EXPECT_EQ(PhotoSettings::settings(), nullptr);
    EXPECT_EQ(state(*open()), "010 2 1 1");
    EXPECT_EQ(encodes, 0);
}

// What follows "saved=true" in a file, and what it loads as.
class PhotoSettingsRange
    : public PhotoSettingsTest,
      public ::testing::WithParamInterface<std::pair<const char *, const char *>>
{
};

TEST_P(PhotoSettingsRange, OutOfRangeValuesLoadAsZeroAndMissingFlagsAsNo)
{
    ASSERT_TRUE(writeFile(path, QByteArray("[General]\nsaved=true\n") + GetParam().first));
    EXPECT_EQ(state(*open()), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PhotoSettingsRange,
    ::testing::Values(std::pair("photo%20size=5\ngroup=1\nui%20type=1\nleft%20hand=true",
                                "001 1 0 1"),
                      std::pair("ui%20type=-1\nphoto%20size=2\nupdate=1", "010 0 2 0"),
                      std::pair("group=3\nanimation=true", "100 0 0 0"),
                      std::pair("group=-1", "000 0 0 0"), std::pair("ui%20type=2", "000 0 0 0"),
                      std::pair("group=2\nphoto%20size=2\nui%20type=1", "000 2 2 1"),
                      std::pair("group=4294967298", "000 0 0 0"), // 2^32 + 2
                      std::pair("photo%20size=large", "000 0 0 0"), std::pair("", "000 0 0 0")));

TEST_F(PhotoSettingsTest, ValuesWithoutTheSavedMarkAreIgnored)
{
    const QByteArray jpeg = ImageFile::encodeJpeg(testPicture(), 90).toBase64();
    ASSERT_TRUE(writeFile(path, "[General]\nanimation=false\ngroup=1\nimage=" + jpeg + "\n"));
    auto settings = open();
    EXPECT_EQ(state(*settings), "100 0 0 0");
    EXPECT_TRUE(settings->image().isNull());
    ASSERT_TRUE(settings->save());
    EXPECT_FALSE(stored("image").isValid()) << "no picture is held, so none is kept";
}

TEST_F(PhotoSettingsTest, APictureIsEncodedOnlyWhenNewAndComesBackAfterARestart)
{
    auto settings = open();
    settings->markImage(testPicture(40, 30, 0, Picture::Right));
    EXPECT_FALSE(settings->imageSaved());
    ASSERT_TRUE(settings->save() && settings->save());
    EXPECT_EQ(encodes, 1);
    EXPECT_TRUE(settings->imageSaved());
    settings->markImage(Picture(settings->image())); // a copy sharing its pixels is not new
    ASSERT_TRUE(settings->save());
    EXPECT_EQ(encodes, 1);
    settings->markImage(testPicture(40, 30, 0, Picture::Right)); // equal pixels, a new picture
    EXPECT_FALSE(settings->imageSaved());
    ASSERT_TRUE(settings->save());
    EXPECT_EQ(encodes, 2);

    settings = open();
    EXPECT_EQ(settings->image().size(), QSizeF(30, 40));
    EXPECT_TRUE(settings->imageSaved());
    ASSERT_TRUE(settings->save());
    EXPECT_EQ(encodes, 2);
    EXPECT_TRUE(stored("image").isValid());
}

TEST_F(PhotoSettingsTest, UnreadableStoredPictureIsDroppedOnTheNextSave)
{
    ASSERT_TRUE(writeFile(path, "[General]\nsaved=true\ngroup=1\nimage=bm90IGEganBlZw==\n"));
    auto settings = open(); // the picture is "not a jpeg"
    EXPECT_TRUE(settings->image().isNull());
    EXPECT_EQ(settings->segment(), 1);
    ASSERT_TRUE(settings->save());
    EXPECT_FALSE(stored("image").isValid());
}

// Binary bytes, an unclosed section, a line cut short.
class PhotoSettingsDamage : public PhotoSettingsTest,
                            public ::testing::WithParamInterface<QByteArray>
{
};

TEST_P(PhotoSettingsDamage, LoadsAsFirstRunAndKeepsTheDamagedFileAside)
{
    ASSERT_TRUE(writeFile(path, GetParam()));
    auto settings = open();
    EXPECT_EQ(state(*settings), "100 0 0 0");
    const QStringList aside = QDir(dir.path()).entryList({"settings.ini.damaged-*"});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(contentsOf(dir.filePath(aside.first())), GetParam());
    settings->setSegment(2);
    ASSERT_TRUE(settings->save());
    EXPECT_EQ(open()->segment(), 2);
}

INSTANTIATE_TEST_SUITE_P(Files, PhotoSettingsDamage,
                         ::testing::Values(QByteArray("\x00\x01\x02\xff\xfe[garbage", 14),
                                           "[General\nsaved=true\ngroup=2\n",
                                           "[General]\nsaved=true\nanimation=false\ngro"));

// A save refused by a read-only folder (true) or cut short by a full disk (false).
class PhotoSettingsCutSave : public PhotoSettingsTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(PhotoSettingsCutSave, KeepsThePreviousFileAndRetriesThePicture)
{
    ASSERT_TRUE(writeFile(path, "[General]\nsaved=true\ngroup=1\n"));
    auto settings = open();
    settings->setSegment(2);
    settings->markImage(testPicture(160, 160, 3)); // noise: far larger than the room left
    bool saved = true;
    if (!GetParam())
        onFullDisk(4096, [&] { saved = settings->save(); });
    else if (!inReadOnlyFolder(dir.path(), [&] { saved = settings->save(); }))
        GTEST_SKIP() << "permissions cannot be enforced for this process";
    EXPECT_FALSE(saved);
    EXPECT_FALSE(settings->imageSaved()) << "the picture never reached the disk";
    EXPECT_EQ(contentsOf(path), "[General]\nsaved=true\ngroup=1\n");
    EXPECT_EQ(filesIn(dir.path()), QStringList{"settings.ini"}) << "no temporary file is left";

    ASSERT_TRUE(settings->save());
    EXPECT_EQ(encodes, 2);
    settings = open();
    EXPECT_EQ(settings->segment(), 2);
    EXPECT_FALSE(settings->image().isNull());
}

INSTANTIATE_TEST_SUITE_P(ReadOnlyOrFull, PhotoSettingsCutSave, ::testing::Bool());

} // namespace

#include "PhotoSettings.h"
#include "../platform/PlatformTestSupport.h"
#include "ImageFile.h"
#include "KillTest.h"

#include <QSettings>
#include <QTemporaryDir>

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
    struct stat info;
    EXPECT_TRUE(::stat(name.constData(), &info) == 0 && (info.st_mode & 0777) == 0640)
        << "a save keeps the file's permissions";
    settings.reset();
    EXPECT_EQ(PhotoSettings::settings(), nullptr);
    EXPECT_EQ(state(*open()), "010 2 1 1");
    EXPECT_EQ(encodes, 0);
}

// A file's [General] lines and what they load as. Values are kept only under "saved";
// out-of-range ones read as 0, missing flags as no. No picture comes from these files,
// so the next save keeps none.
using PhotoSettingsStored = WithParam<PhotoSettingsTest, std::pair<const char *, const char *>>;

TEST_P(PhotoSettingsStored, LoadsAs)
{
    const QByteArray jpeg = ImageFile::encodeJpeg(testPicture(), 90).toBase64();
    QByteArray text = QByteArray(GetParam().first).replace("JPEG", jpeg).replace(';', '\n');
    ASSERT_TRUE(writeFile(path, "[General]\n" + text));
    auto settings = open();
    EXPECT_EQ(state(*settings), GetParam().second);
    EXPECT_TRUE(settings->image().isNull());
    ASSERT_TRUE(settings->save());
    EXPECT_FALSE(stored("image").isValid());
}

INSTANTIATE_TEST_SUITE_P(
    Files, PhotoSettingsStored,
    ::testing::Values(
        std::pair("saved=1;photo%20size=5;group=1;ui%20type=1;left%20hand=1", "001 1 0 1"),
        std::pair("saved=true;ui%20type=-1;photo%20size=2;update=1", "010 0 2 0"),
        std::pair("saved=true;group=3;animation=true", "100 0 0 0"),
        std::pair("saved=true;animation=0;update=true;left%20hand=1", "011 0 0 0"),
        std::pair("saved=true;group=-1", "000 0 0 0"),
        std::pair("saved=true;ui%20type=2", "000 0 0 0"),
        std::pair("saved=true;group=2;photo%20size=2;ui%20type=1", "000 2 2 1"),
        std::pair("saved=true;group=4294967298", "000 0 0 0"), // 2^32 + 2
        std::pair("saved=true;photo%20size=large", "000 0 0 0"),
        std::pair("saved=true", "000 0 0 0"),
        std::pair("animation=false;group=1;image=JPEG", "100 0 0 0"),
        std::pair("saved=true;group=1;image=bm90IGEganBlZw==", "000 1 0 0"))); // no JPEG

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

TEST_F(PhotoSettingsTest, APictureThatCannotBeEncodedIsReportedAndTriedAgain)
{
    auto settings = open();
    settings->markImage(testPicture());
    settings->setEncoder([](const Picture &) { return QByteArray(); });
    settings->setSegment(1);
    EXPECT_FALSE(settings->save()) << "the picture is not in the file";
    EXPECT_FALSE(settings->imageSaved());
    EXPECT_EQ(stored("group"), "1") << "the options are written all the same";
    settings->setEncoder({});
    EXPECT_TRUE(settings->save());
    EXPECT_TRUE(stored("image").isValid());
}

// Binary bytes, an unclosed section, a line cut short.
using PhotoSettingsDamage = WithParam<PhotoSettingsTest, QByteArray>;

TEST_P(PhotoSettingsDamage, LoadsAsFirstRunAndKeepsTheDamagedFileAside)
{
    ASSERT_TRUE(writeFile(path, GetParam()));
    auto settings = open();
    EXPECT_EQ(state(*settings), "100 0 0 0");
    const QStringList aside = QDir(dir.path()).entryList({"settings.ini.damaged-*"});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(contentsOf(dir.filePath(aside.first())), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Files, PhotoSettingsDamage,
                         ::testing::Values(QByteArray("\x00\x01\x02\xff\xfe[garbage", 14),
                                           "[General\nsaved=true\ngroup=2\n",
                                           "[General]\nsaved=true\nanimation=false\ngro"));

// A save refused by a read-only folder (true) or cut short by a full disk (false).
using PhotoSettingsCutSave = WithParam<PhotoSettingsTest, bool>;

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
    EXPECT_EQ(encodes, 2) << "the picture is written again once there is room";
    EXPECT_EQ(state(*open()), "000 2 0 0");
}

INSTANTIATE_TEST_SUITE_P(ReadOnlyOrFull, PhotoSettingsCutSave, ::testing::Bool());

TEST_F(PhotoSettingsTest, AByteOrderMarkIsNotDamage)
{
    ASSERT_TRUE(writeFile(path, "\xEF\xBB\xBF[General]\nsaved=true\ngroup=2\n"));
    EXPECT_EQ(state(*open()), "000 2 0 0");
    EXPECT_EQ(filesIn(dir.path()), QStringList{"settings.ini"});
}

// Something other than a file under the settings name (a folder, a FIFO): read as a first
// run without blocking, never moved aside, never replaced.
using PhotoSettingsNotAFile = WithParam<PhotoSettingsTest, bool>;

TEST_P(PhotoSettingsNotAFile, IsLeftAloneAndNotWritten)
{
    const QByteArray name = QFile::encodeName(path);
    ASSERT_EQ(GetParam() ? ::mkfifo(name.constData(), 0600) : ::mkdir(name.constData(), 0700), 0);
    auto settings = open();
    EXPECT_EQ(state(*settings), "100 0 0 0");
    settings->setSegment(1);
    EXPECT_FALSE(settings->save());
    struct stat info;
    ASSERT_EQ(::lstat(name.constData(), &info), 0);
    EXPECT_TRUE(GetParam() ? S_ISFIFO(info.st_mode) : S_ISDIR(info.st_mode));
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{"settings.ini"});
}

INSTANTIATE_TEST_SUITE_P(FolderOrFifo, PhotoSettingsNotAFile, ::testing::Bool());

// (Temporaries a running save holds locked stay: the removal is the one the album uses.)
TEST_F(PhotoSettingsTest, TemporariesOfAKilledSaveGoOnTheNextStartOthersStay)
{
    ASSERT_TRUE(writeFile(path + ".saving-k1ll3d", QByteArray(1000, 'x')) &&
                writeFile(dir.filePath("other.saving-abcdef"), "not ours"));
    open();
    EXPECT_EQ(filesIn(dir.path()), QStringList{"other.saving-abcdef"});
}

// Killed anywhere in a save, many times: the file always holds one whole save, the
// group with its own picture, and the temporaries go on the next start.
TEST_F(PhotoSettingsTest, AKilledSaveLeavesTheOldOrTheNewSettings)
{
    const Picture wide = testPicture(120, 80, 5), tall = testPicture(80, 120, 6);
    ImageFile::encodeJpeg(wide); // image plugins loaded before the children fork
    int leftBehind = 0;
    const long saves = KillTest::killRepeatedly(
        KillTest::rounds(12), 20000,
        [&](const std::function<void()> &done) {
            PhotoSettings settings(path);
            for (int n = 0;; ++n) {
                settings.setSegment(1 + n % 2);
                settings.markImage(n % 2 ? tall : wide);
                if (settings.save())
                    done();
            }
        },
        [&] {
            leftBehind = qMax(leftBehind, int(filesIn(dir.path()).size()) - 1);
            auto settings = open();
            const QSizeF expected = settings->segment() == 2 ? QSizeF(80, 120) : QSizeF(120, 80);
            EXPECT_EQ(settings->image().size(), expected) << "group " << settings->segment();
            EXPECT_EQ(filesIn(dir.path()), QStringList{"settings.ini"});
        });
    EXPECT_GT(saves, 0);
    EXPECT_LE(leftBehind, 1) << "temporaries do not pile up";
}

} // namespace

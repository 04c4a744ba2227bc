#include "PhotoSettings.h"
#include "../platform/PlatformTestSupport.h"
#include "ImageFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>
#include <sys/stat.h>

namespace {

QStringList g_logLines;

void captureLog(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    if (context.category && QByteArray(context.category) == "velmora")
        g_logLines << message;
}

class PhotoSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testApplication();
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("settings.ini");
        g_logLines.clear();
        previousHandler = qInstallMessageHandler(captureLog);
    }
    void TearDown() override { qInstallMessageHandler(previousHandler); }

    void writeFile(const QByteArray &text)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }
    QByteArray fileBytes(const QString &name) const
    {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // An independent look at what is on disk.
    QVariant stored(const QString &key) const
    {
        return QSettings(path, QSettings::IniFormat).value(key);
    }
    // Builds settings whose encoder counts its calls.
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
    QString path;
    int encodes = 0;
    QtMessageHandler previousHandler = nullptr;
    const Picture picture = pictureOf(TestPixels::gradient(48, 32));
};

TEST_F(PhotoSettingsTest, FirstRunHasTheDefaultsAndTheFirstSaveWritesThem)
{
    auto settings = open();
    EXPECT_TRUE(settings->animation());
    EXPECT_FALSE(settings->update());
    EXPECT_FALSE(settings->lefthand());
    EXPECT_EQ(settings->segment(), 0);
    EXPECT_EQ(settings->photoSize(), 0);
    EXPECT_EQ(settings->uiType(), 0);
    EXPECT_TRUE(settings->image().isNull());

    ASSERT_TRUE(settings->save());
    EXPECT_EQ(stored("saved"), QVariant(true).toString());
    EXPECT_TRUE(stored("animation").toBool());
    EXPECT_FALSE(stored("update").toBool());
    EXPECT_FALSE(stored("left hand").toBool());
    EXPECT_TRUE(stored("left hand").isValid());
    for (const char *key : {"group", "photo size", "ui type"}) {
        EXPECT_TRUE(stored(key).isValid()) << key;
        EXPECT_EQ(stored(key).toInt(), 0) << key;
    }
    EXPECT_FALSE(stored("image").isValid());
    EXPECT_EQ(encodes, 0);
}

TEST_F(PhotoSettingsTest, ChoicesSurviveARestart)
{
    {
        auto settings = open();
        settings->setAnimation(false);
        settings->setUpdate(true);
        settings->setLefthand(true);
        settings->setSegment(2);
        settings->setPhotoSize(1);
        settings->setUiType(1);
        ASSERT_TRUE(settings->save());
    }
    auto again = open();
    EXPECT_FALSE(again->animation());
    EXPECT_TRUE(again->update());
    EXPECT_TRUE(again->lefthand());
    EXPECT_EQ(again->segment(), 2);
    EXPECT_EQ(again->photoSize(), 1);
    EXPECT_EQ(again->uiType(), 1);
}

struct Stored
{
    const char *label;
    const char *file; // after "saved=true"
    qint32 segment, photoSize, uiType;
};

class PhotoSettingsRange : public PhotoSettingsTest, public ::testing::WithParamInterface<Stored>
{
};

TEST_P(PhotoSettingsRange, OutOfRangeValuesLoadAsZero)
{
    writeFile(QByteArray("[General]\nsaved=true\n") + GetParam().file);
    auto settings = open();
    EXPECT_EQ(settings->segment(), GetParam().segment);
    EXPECT_EQ(settings->photoSize(), GetParam().photoSize);
    EXPECT_EQ(settings->uiType(), GetParam().uiType);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PhotoSettingsRange,
    ::testing::Values(Stored{"PhotoSizeFive", "photo%20size=5\ngroup=1\nui%20type=1\n", 1, 0, 1},
                      Stored{"UiTypeMinusOne", "ui%20type=-1\nphoto%20size=2\n", 0, 2, 0},
                      Stored{"GroupThree", "group=3\n", 0, 0, 0},
                      Stored{"GroupMinusOne", "group=-1\n", 0, 0, 0},
                      Stored{"UiTypeTwo", "ui%20type=2\n", 0, 0, 0},
                      Stored{"HighestValid", "group=2\nphoto%20size=2\nui%20type=1\n", 2, 2, 1},
                      Stored{"TooBigForAnInt", "group=4294967298\n", 0, 0, 0},
                      Stored{"NotANumber", "photo%20size=large\n", 0, 0, 0}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(PhotoSettingsTest, MissingKeysOfASavedStoreReadAsNoAndZero)
{
    writeFile("[General]\nsaved=true\n");
    auto settings = open();
    EXPECT_FALSE(settings->animation());
    EXPECT_FALSE(settings->update());
    EXPECT_EQ(settings->segment(), 0);
}

TEST_F(PhotoSettingsTest, ValuesWithoutTheSavedMarkAreIgnored)
{
    {
        QSettings raw(path, QSettings::IniFormat);
        raw.setValue("animation", false);
        raw.setValue("group", 1);
        raw.setValue("image", ImageFile::encodeJpeg(picture));
    }
    auto settings = open();
    EXPECT_TRUE(settings->animation());
    EXPECT_EQ(settings->segment(), 0);
    EXPECT_TRUE(settings->image().isNull());

    ASSERT_TRUE(settings->save());
    EXPECT_FALSE(stored("image").isValid()) << "no picture is held, so none is kept";
}

TEST_F(PhotoSettingsTest, ANewPictureIsEncodedOnceAcrossSaves)
{
    auto settings = open();
    settings->markImage(picture);
    EXPECT_FALSE(settings->imageSaved());
    ASSERT_TRUE(settings->save());
    ASSERT_TRUE(settings->save());
    EXPECT_EQ(encodes, 1);
    EXPECT_TRUE(settings->imageSaved());

    // The same picture handed back (a copy sharing its pixels) is not new.
    const Picture same = settings->image();
    settings->markImage(same);
    EXPECT_TRUE(settings->imageSaved());
    ASSERT_TRUE(settings->save());
    EXPECT_EQ(encodes, 1);

    settings->markImage(pictureOf(TestPixels::gradient(48, 32)));
    EXPECT_FALSE(settings->imageSaved());
    ASSERT_TRUE(settings->save());
    EXPECT_EQ(encodes, 2);
}

TEST_F(PhotoSettingsTest, StoredPictureComesBackAndIsNotReencoded)
{
    {
        auto settings = open();
        settings->markImage(pictureOf(TestPixels::gradient(40, 30), Picture::Right));
        ASSERT_TRUE(settings->save());
    }
    encodes = 0;
    auto again = open();
    ASSERT_FALSE(again->image().isNull());
    EXPECT_EQ(again->image().size(), QSizeF(30, 40));
    EXPECT_TRUE(again->imageSaved());
    ASSERT_TRUE(again->save());
    EXPECT_EQ(encodes, 0);
    EXPECT_TRUE(stored("image").isValid());
}

TEST_F(PhotoSettingsTest, UnreadableStoredPictureIsDroppedOnTheNextSave)
{
    writeFile("[General]\nsaved=true\ngroup=1\nimage=@ByteArray(not a jpeg)\n");
    auto settings = open();
    EXPECT_TRUE(settings->image().isNull());
    EXPECT_TRUE(settings->imageSaved());
    EXPECT_EQ(settings->segment(), 1);
    ASSERT_TRUE(settings->save());
    EXPECT_FALSE(stored("image").isValid());
}

struct Damage
{
    const char *label;
    QByteArray bytes;
};

class PhotoSettingsDamage : public PhotoSettingsTest, public ::testing::WithParamInterface<Damage>
{
};

TEST_P(PhotoSettingsDamage, LoadsAsFirstRunAndKeepsTheDamagedFileAside)
{
    writeFile(GetParam().bytes);
    auto settings = open();
    EXPECT_TRUE(settings->animation());
    EXPECT_EQ(settings->segment(), 0);
    EXPECT_EQ(g_logLines.size(), 1) << "said once";

    const QStringList aside = QDir(dir.path()).entryList({"settings.ini.damaged-*"}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(fileBytes(QDir(dir.path()).filePath(aside.first())), GetParam().bytes);

    settings->setSegment(2);
    settings->markImage(picture);
    ASSERT_TRUE(settings->save());
    auto again = open();
    EXPECT_EQ(again->segment(), 2);
    EXPECT_FALSE(again->image().isNull());
    EXPECT_EQ(g_logLines.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PhotoSettingsDamage,
    ::testing::Values(Damage{"Binary", QByteArray("\x00\x01\x02\xff\xfe[garbage", 14)},
                      Damage{"UnclosedSection", "[General\nsaved=true\ngroup=2\n"},
                      Damage{"CutMidLine", "[General]\nsaved=true\nanimation=false\ngro"}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(PhotoSettingsTest, DeniedSaveKeepsThePreviousFile)
{
    {
        auto settings = open();
        settings->setSegment(1);
        ASSERT_TRUE(settings->save());
    }
    const QByteArray before = fileBytes(path);
    auto settings = open();
    settings->setSegment(2);
    settings->markImage(picture);

    const QByteArray folder = QFile::encodeName(dir.path());
    ASSERT_EQ(::chmod(folder.constData(), 0555), 0);
    bool saved = true;
    {
        WithoutPermissionOverride asUser;
        if (WithoutPermissionOverride::stillPrivileged(asUser)) {
            ::chmod(folder.constData(), 0755);
            GTEST_SKIP() << "permissions cannot be enforced for this process";
        }
        saved = settings->save();
    }
    ::chmod(folder.constData(), 0755);

    EXPECT_FALSE(saved);
    EXPECT_FALSE(settings->imageSaved()) << "the picture never reached the disk";
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(open()->segment(), 1);
}

TEST_F(PhotoSettingsTest, SaveInterruptedByAFullDiskKeepsThePreviousFileAndRetries)
{
    {
        auto settings = open();
        settings->setSegment(1);
        ASSERT_TRUE(settings->save());
    }
    const QByteArray before = fileBytes(path);
    auto settings = open();
    settings->setSegment(2);
    // Noise makes a JPEG far larger than the room left.
    settings->markImage(pictureOf(TestPixels::random(160, 160, 3)));
    bool saved = true;
    {
        FileSizeLimit full(4096);
        saved = settings->save();
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "no temporary file is left";

    ASSERT_TRUE(settings->save());
    EXPECT_EQ(encodes, 2) << "the picture is written again once there is room";
    auto again = open();
    EXPECT_EQ(again->segment(), 2);
    EXPECT_FALSE(again->image().isNull());
}

TEST_F(PhotoSettingsTest, SharedInstanceLivesAsLongAsTheStore)
{
    ASSERT_EQ(PhotoSettings::settings(), nullptr);
    {
        PhotoSettings settings(path);
        EXPECT_EQ(PhotoSettings::settings(), &settings);
    }
    EXPECT_EQ(PhotoSettings::settings(), nullptr);
}

} // namespace

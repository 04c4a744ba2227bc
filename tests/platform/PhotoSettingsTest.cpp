#include "PhotoSettings.h"
#include "ImageFile.h"
#include "PlatformTestSupport.h"
#include "TaggedPhotos.h"

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
    // Settings whose encoder counts its calls, and fails while `encoderFails` holds.
    std::unique_ptr<PhotoSettings> open()
    {
        auto settings = std::make_unique<PhotoSettings>(path);
        settings->setEncoder([this](const Picture &p) {
            ++encodes;
            return encoderFails ? QByteArray() : ImageFile::encodeJpeg(p, 90);
        });
        return settings;
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("settings.ini");
    int encodes = 0;
    bool encoderFails = false;
};

// The folder's name could end its line, open a section or set another key if written raw.
TEST_F(PhotoSettingsTest, FirstRunHasTheDefaultsAndChoicesSurviveARestart)
{
    const QString folder = dir.filePath("50% off\n[x]\nsaved=false");
    const QByteArray geometry("\x01\xd9\xd0\xcb\0\x03\n=", 8);
    auto settings = open();
    ASSERT_TRUE(settings->save());
    QStringList written;
    for (const char *key :
         {"saved", "animation", "update", "left hand", "group", "photo size", "ui type", "image"})
        written << stored(key).toString();
    EXPECT_EQ(written.join(' '), "true true false false 0 0 0 ");
    const QByteArray name = QFile::encodeName(path);
    ASSERT_EQ(::chmod(name.constData(), 0640), 0);
    settings->setAnimation(false);
    settings->setUpdate(true);
    settings->setSegment(2);
    settings->setPhotoSize(1);
    settings->setUiType(1);
    settings->setWindowGeometry(geometry);
    settings->setLastFolder(folder);
    ASSERT_TRUE(settings->save());
    struct stat info;
    EXPECT_TRUE(::stat(name.constData(), &info) == 0 && (info.st_mode & 0777) == 0640)
        << "a save keeps the file's permissions";
    settings.reset();
    EXPECT_EQ(PhotoSettings::settings(), nullptr);
    const auto again = open();
    EXPECT_EQ(state(*again), "010 2 1 1");
    EXPECT_EQ(again->windowGeometry(), geometry);
    EXPECT_EQ(again->lastFolder(), folder);
}

// A file's lines and what they load as. Values are kept only under "saved"; out-of-range ones
// read as 0, missing flags as no. No picture comes from these files, so the next save keeps
// none. A damaged file loads as a first run and is kept aside as it was.
struct Stored
{
    QByteArray file;
    const char *state;
    bool damaged = false;
};
using PhotoSettingsStored = WithParam<PhotoSettingsTest, Stored>;

TEST_P(PhotoSettingsStored, LoadsAs)
{
    const QByteArray jpeg = ImageFile::encodeJpeg(testPicture(), 90).toBase64();
    const QByteArray file = QByteArray(GetParam().file).replace("JPEG", jpeg).replace(';', '\n');
    ASSERT_TRUE(writeFile(path, file));
    auto settings = open();
    EXPECT_EQ(state(*settings), GetParam().state);
    EXPECT_TRUE(settings->image().isNull());
    const QStringList aside = QDir(dir.path()).entryList({"settings.ini.damaged-*"});
    ASSERT_EQ(aside.size(), GetParam().damaged ? 1 : 0);
    EXPECT_TRUE(!GetParam().damaged || contentsOf(dir.filePath(aside.first())) == file);
    ASSERT_TRUE(settings->save());
    EXPECT_FALSE(stored("image").isValid());
}

INSTANTIATE_TEST_SUITE_P(
    Files, PhotoSettingsStored,
    ::testing::Values(
        Stored{"saved=1;photo%20size=3;group=1;ui%20type=1;left%20hand=1", "001 1 0 1"},
        Stored{"saved=true;ui%20type=-1;photo%20size=2;update=1", "010 0 2 0"},
        Stored{"saved=true;group=3;animation=true", "100 0 0 0"},
        Stored{"saved=true;animation=0;update=true;left%20hand=1", "011 0 0 0"},
        // a photo size of 2^32 + 2, which 32 bits would wrap to 2
        Stored{"saved=true;group=-1;ui%20type=2;photo%20size=4294967298", "000 0 0 0"},
        Stored{"animation=false;group=1;image=JPEG", "100 0 0 0"},
        Stored{"saved=true;group=1;image=bm90IGEganBlZw==", "000 1 0 0"}, // no JPEG
        Stored{"\xEF\xBB\xBF[General];saved=true;group=2", "000 2 0 0"},
        Stored{QByteArray("\x00\x01\x02\xff\xfe[garbage", 14), "100 0 0 0", true},
        Stored{"[General;saved=true;group=2", "100 0 0 0", true},
        Stored{"[General];saved=true;animation=false;gro", "100 0 0 0", true}));

TEST_F(PhotoSettingsTest, APictureIsEncodedOnlyWhenNewAndComesBackAfterARestart)
{
    auto settings = open();
    settings->markImage(testPicture(40, 30, 0, Picture::Right));
    settings->setSegment(1);
    encoderFails = true;
    EXPECT_FALSE(settings->save() || settings->imageSaved()) << "the picture is not in the file";
    EXPECT_EQ(stored("group"), "1") << "the options are written all the same";
    encoderFails = false;
    ASSERT_TRUE(settings->save() && settings->save());
    EXPECT_EQ(encodes, 2);

    settings = open();
    EXPECT_EQ(settings->image().size(), QSizeF(30, 40));
    ASSERT_TRUE(settings->save());
    EXPECT_EQ(encodes, 2);
}

// A damaged file is set aside under a name of its own beside one set aside in the same second
// (the next two seconds' names are taken too).
TEST_F(PhotoSettingsTest, ASecondDamagedFileIsSetAsideBesideTheFirst)
{
    const QDateTime now = QDateTime::currentDateTime();
    for (int second : {0, 1, 2})
        writeFile(path + ".damaged-" + now.addSecs(second).toString("yyyyMMdd-HHmmss"), "first");
    ASSERT_TRUE(writeFile(path, "[General"));
    open();
    QStringList kept;
    for (const QString &name : QDir(dir.path()).entryList({"settings.ini.damaged-*"}))
        kept << contentsOf(dir.filePath(name));
    kept.sort();
    EXPECT_EQ(kept, (QStringList{"[General", "first", "first", "first"}));
}

// A camera photo turned by its EXIF tag is stored upright with the tag reset, so it comes back
// as the user saw it; a file that lost its picture gets it again with the next save. The first
// save makes the config folder when there is none yet.
TEST_F(PhotoSettingsTest, ThePictureIsStoredUprightAndRewrittenWhenTheFileLostIt)
{
    const QString nested = dir.filePath("config/Velmora/settings.ini");
    const QImage quadrants = TestImages::quadrants(64, 48);
    const Picture photo = ImageFile::decode(TaggedPhotos::cameraJpeg(quadrants), nullptr);
    auto settings = std::make_unique<PhotoSettings>(nested);
    settings->markImage(photo);
    ASSERT_TRUE(settings->save() && writeFile(nested, "[General]\nsaved=true\n"));
    ASSERT_TRUE(settings->save());
    const QImage back = PhotoSettings(nested).image().upright().grid();
    const QImage seen = photo.upright().grid();
    ASSERT_EQ(back.size(), QSize(48, 64));
    for (QPoint p : {QPoint(8, 8), QPoint(40, 8), QPoint(8, 56), QPoint(40, 56)})
        EXPECT_EQ(back.pixel(p) & 0x808080, seen.pixel(p) & 0x808080) << p.x() << "," << p.y();
}

// What a killed save left goes at the start; other files' temporaries stay. A save refused
// by a read-only folder or cut short by a full disk keeps the previous file, and the picture
// that never reached the disk is written by the next save.
TEST_F(PhotoSettingsTest, ACutSaveKeepsThePreviousFileAndRetriesThePicture)
{
    const QByteArray old = "[General]\nsaved=true\ngroup=1\n";
    ASSERT_TRUE(writeFile(path, old) && writeFile(path + ".saving-abcdef", "cut") &&
                writeFile(dir.filePath("other.saving-abcdef"), "not ours"));
    const QStringList kept{"other.saving-abcdef", "settings.ini"};
    auto settings = open();
    settings->setSegment(2);
    settings->markImage(testPicture(160, 160, 3)); // noise: far larger than the room left
    for (const bool full : {false, true}) {
        bool saved = true;
        if (full) {
            onFullDisk(4096, [&] { saved = settings->save(); });
        } else {
            ASSERT_TRUE(inReadOnlyFolder(dir.path(), [&] { saved = settings->save(); }));
        }
        EXPECT_FALSE(saved || settings->imageSaved()) << full;
        EXPECT_EQ(contentsOf(path), old);
        EXPECT_EQ(filesIn(dir.path()), kept);
    }
    ASSERT_TRUE(settings->save());
    EXPECT_EQ(encodes, 3);
    EXPECT_EQ(state(*open()), "000 2 0 0");
}

// A FIFO under the settings name (which a rename would replace): read as a first run
// without blocking, never moved aside, never replaced.
TEST_F(PhotoSettingsTest, SomethingOtherThanAFileIsLeftAlone)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    auto settings = open();
    settings->setSegment(1);
    EXPECT_FALSE(settings->save());
    EXPECT_FALSE(QFileInfo(path).isFile());
    EXPECT_EQ(filesIn(dir.path()), QStringList{"settings.ini"});
}

} // namespace

// velmora-cli driven as a user would: real files in a temporary folder, the real binary.

#include <gtest/gtest.h>

#include "CImageEffect.h"
#include "ImageEffect.h"
#include "KillTest.h"
#include "TaggedPhotos.h"
#include "TestImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdlib>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

struct Result
{
    int exitCode = -1;
    QString out;
    QString err;
};

class VelmoraCli : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(QFile::copy(samples + "coffee.png", coffee)); }

    QString path(const QString &name) const { return dir.filePath(name); }

    Result run(const QStringList &arguments, std::function<void()> inChild = {}) const
    {
        QProcess process;
        if (inChild)
            process.setChildProcessModifier(inChild);
        process.start(QStringLiteral(VELMORA_CLI_PATH), arguments);
        process.waitForFinished(120000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    // Runs the tool expecting exit status `code` and, where given, a complaint naming `about`.
    void exits(int code, const QStringList &arguments, const QString &about = {}) const
    {
        const Result result = run(arguments);
        EXPECT_EQ(result.exitCode, code) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(about)) << result.err.toStdString();
    }

    QTemporaryDir dir;
    const QString samples = qEnvironmentVariable("VELMORA_SOURCE_DIR") + "/resources/samples/";
    const QString coffee = path("coffee.png");
};

// Inputs that are missing, no pictures or no regular files, one whose output a file size limit
// cuts short and one whose output an earlier input takes, processed in parallel beside good
// ones: the run ends with status 1, the good ones are written and nothing else is left, each
// bad one gets one line (from us alone: no decoder chatter, no bar on a stream that is no
// terminal) naming it and the reason. Each output keeps its input's name, dots and all; a JPEG
// or PNG keeps its format, anything else becomes a JPEG.
TEST_F(VelmoraCli, EachBadInputFailsOnOneLineAndTheRunCompletes)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.png")).constData(), 0600), 0);
    QByteArray png = TestImages::encoded(TestImages::random(64, 64, 1), "png");
    png[int(png.indexOf("IDAT")) + 40] ^= 0x55; // the decoder itself finds the damage
    ASSERT_TRUE(writeFile(path("bad-pixels.png"), png) &&
                TestImages::random(1600, 1200, 2).save(path("noise.jpg"))); // over 1 MB
    const std::pair<QString, const char *> bad[] = {
        {path("fifo.png"), "pipe"},           {"/dev/zero", "device"},
        {path("bad-pixels.png"), "damaged"},  {path("noise.jpg"), "size limit"},
        {path("absent.png"), "No such file"}, {path("again/coffee.png"), "same output"}};
    ASSERT_TRUE(QDir(dir.path()).mkdir("again") &&
                QFile::copy(samples + "chelsea.png", path("again/coffee.png")));
    QStringList arguments{"apply", "-j", "2", "-d", path("out"), coffee};
    for (const char *name : {"a.b.c.png", "old.JPG", "scan.v2.bmp", "frame.ppm"}) {
        ASSERT_TRUE(QImage(coffee).save(path(name)));
        arguments << path(name);
    }
    for (const auto &input : bad)
        arguments << input.first;
    const Result result = run(arguments, [] {
        const rlimit limit{1 << 20, 1 << 20};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(result.exitCode, 1) << "killed by SIGXFSZ: " << (result.exitCode == -1);
    const QStringList lines = result.err.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 6) << result.err.toStdString();
    for (const auto &[input, reason] : bad) {
        const QStringList about = lines.filter(QFileInfo(input).fileName());
        EXPECT_TRUE(about.size() == 1 && about[0].contains(reason))
            << input.toStdString() << ": " << result.err.toStdString();
    }
    QStringList formats;
    for (const QString &name : QDir(path("out")).entryList(QDir::Files | QDir::Hidden))
        formats << name + " " + QImageReader(path("out/" + name)).format();
    EXPECT_EQ(formats, (QStringList{"a.b.c.png png", "coffee.png png", "frame.jpg jpeg",
                                    "old.JPG jpeg", "scan.v2.jpg jpeg"}));
    EXPECT_EQ(QImage(path("out/coffee.png")).size(), QSize(600, 400)); // the first input's
}

TEST_F(VelmoraCli, ListsHelpsAndRefusesUsageErrors)
{
    EXPECT_TRUE(run({"list"}).out.contains("Infrared"));
    const Result help = run({"--help"});
    EXPECT_TRUE(help.exitCode == 0 && help.out.contains("--recipe"));
    exits(2, {"apply", "-e", "Sepia=30", coffee, "-d", path("out")}, "bad level '30' for 'Sepia'");
    // A damaged recipe is refused before anything is written, its path named as it is.
    ASSERT_TRUE(writeFile(path("bad%2.velmora"), "velmora-recipe 1\nsize web\nSepia=3\n"));
    exits(2, {"apply", "--recipe", path("bad%2.velmora"), coffee, "-d", path("out")},
          path("bad%2.velmora") + ":3: 'Sepia' has no level");
    EXPECT_FALSE(QFileInfo::exists(path("out")));
    ASSERT_TRUE(writeFile(path("taken"), "a file"));
    exits(1, {"apply", coffee, "-d", path("taken")}, path("taken") + ": the output folder");
}

// The listing's fields, a level's name and default as null where the entry has none. Every
// listed name, alone, writes what its catalogue entry renders, seeded as the first input; a
// frame without a level is 6/200 of the picture's width. The runs overlap.
TEST_F(VelmoraCli, ListsEachEntryAndEveryListedNameAppliesIt)
{
    const QImage input = TestImages::random(100, 60, 6);
    ASSERT_TRUE(input.save(path("in.png")));
    const QJsonArray entries =
        QJsonDocument::fromJson(run({"list", "--json"}).out.toUtf8()).array();
    QStringList described;
    for (const QJsonValue &value : entries)
        described << QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
    EXPECT_EQ(described.size(), 36);
    EXPECT_EQ(described.filter("\"steppable\":true").size(), 9 + 5 + 8 + 10);
    const QStringList listed{
        R"({"default_level":10,"group":2,"index":9,"level_name":"Details","name":"Water Color","steppable":false})",
        R"({"default_level":null,"group":1,"index":2,"level_name":null,"name":"Sepia","steppable":true})",
        R"({"default_level":6,"group":3,"index":8,"level_name":"Width","name":"White border","steppable":true})"};
    for (const QString &line : listed)
        EXPECT_TRUE(described.contains(line)) << line.toStdString();
    std::vector<std::unique_ptr<QProcess>> runs;
    for (const QJsonValue &entry : entries) {
        runs.push_back(std::make_unique<QProcess>());
        runs.back()->start(VELMORA_CLI_PATH, {"apply", "--seed", "5", "-s", "original", "-e",
                                              entry["name"].toString(), path("in.png"), "-o",
                                              path(QString::number(runs.size()) + ".png")});
    }
    for (size_t i = 0; i < runs.size(); ++i) {
        ImageEffect catalogue;
        catalogue.setGroup(entries[int(i)]["group"].toInt());
        catalogue.setEffect(entries[int(i)]["index"].toInt());
        catalogue.resetProcessor();
        catalogue.setLevel(6);
        catalogue.setImage(Picture(input));
        CImageEffect::Seed(5);
        EXPECT_TRUE(runs[i]->waitForFinished(120000) && runs[i]->exitCode() == 0);
        EXPECT_EQ(
            QImage(path(QString::number(i + 1) + ".png")).convertToFormat(QImage::Format_RGB32),
            catalogue.applyEffect().grid())
            << entries[int(i)]["name"].toString().toStdString();
    }
}

// Reduced to the working size as the editor does; stacked effects in order, an explicit level
// 0 applied as such; the quality reaches the encoder (90 by default) and ".jpeg" names a JPEG
// too.
TEST_F(VelmoraCli, AppliesStackedEffectsAtTheWorkingSize)
{
    ASSERT_TRUE(QImage(coffee).scaled(1800, 1200).save(path("large.png")));
    exits(0, {"apply", "-s", "web", path("large.png"), "-o", path("out.png")});
    EXPECT_EQ(QImage(path("out.png")).size(), QSize(640, 424));
    // The colour negative twice around a border of width 0 (not the default 6) gives the
    // picture back, byte for byte.
    exits(0, {"apply", "-e", "Color Negative", "-e", "White border=0", "-e", "color negative",
              coffee, "-o", path("twice.png")});
    EXPECT_EQ(QImage(path("twice.png")).convertToFormat(QImage::Format_RGB32),
              QImage(coffee).convertToFormat(QImage::Format_RGB32));
    exits(0, {"apply", "-q", "10", coffee, "-o", path("low.jpeg")});
    exits(0, {"apply", coffee, "-o", path("default.jpg")});
    EXPECT_LT(QFileInfo(path("low.jpeg")).size() * 3, QFileInfo(path("default.jpg")).size());
}

// Refused outputs cost exit status 1 and a line naming them: an existing one without
// --force, the input itself (directly or through a link) even with it.
TEST_F(VelmoraCli, OutputsThatWouldLoseDataOrCannotBeWrittenAreRefused)
{
    ASSERT_TRUE(writeFile(path("out.png"), "keep me"));
    exits(1, {"apply", coffee, "-o", path("out.png")}, "out.png");
    EXPECT_EQ(contentsOf(path("out.png")), QByteArray("keep me"));
    const QByteArray before = contentsOf(coffee);
    ASSERT_TRUE(QFile::link(coffee, path("link.png")));
    for (const char *output : {"coffee.png", "link.png"})
        exits(1, {"apply", "--force", "-e", "Sepia", coffee, "-o", path(output)}, output);
    EXPECT_EQ(contentsOf(coffee), before);
}

// The k-th input gets seed N + k, whatever the job count. The stack saved as a recipe remakes
// the run's first output, noise and all, at its size, with no --seed given; with --seed in
// place of its seeds, it gives the bytes of its steps given with -e. A recipe that cannot be
// written stops the run before any output.
TEST_F(VelmoraCli, InputsAreSeededByTheirPlaceAndASavedRecipeRemakesTheRun)
{
    ASSERT_TRUE(QFile::copy(coffee, path("copy.png")));
    const QStringList stack{
        "apply",        "-j", "2",          "-s",   "300x300",        "-e", "Sepia", "-e",
        "Night Vision", "-e", "30's Photo", coffee, path("copy.png"), "-d"};
    const QStringList recipe{"apply", "--recipe", path("saved.velmora"), "-o"};
    exits(0, stack + QStringList{path("run"), "--save-recipe", path("saved.velmora")});
    exits(0, recipe + QStringList{path("again.png"), coffee});
    exits(0, stack + QStringList{path("seeded"), "--seed", "7"});
    exits(0, recipe + QStringList{path("alone.png"), path("copy.png"), "--seed", "8"});
    EXPECT_EQ(contentsOf(path("again.png")), contentsOf(path("run/coffee.png")));
    EXPECT_EQ(contentsOf(path("alone.png")), contentsOf(path("seeded/copy.png")));
    EXPECT_NE(contentsOf(path("seeded/coffee.png")), contentsOf(path("seeded/copy.png")));
    const QString saved = contentsOf(path("saved.velmora"));
    EXPECT_TRUE(QRegularExpression("^velmora-recipe 1\nsize 300x300\nSepia\nNight Vision "
                                   "seed=\\d+\n30's Photo\n$")
                    .match(saved)
                    .hasMatch())
        << saved.toStdString();
    exits(1, stack + QStringList{path("none"), "--save-recipe", path("absent/s.velmora")},
          path("absent/s.velmora"));
    EXPECT_FALSE(QFileInfo::exists(path("none")));
}

// The camera's records reach the output unless --strip asks for none.
TEST_F(VelmoraCli, KeepsOrStripsThePhotosMetadata)
{
    const QImage grey = TestImages::solid(64, 48, Qt::gray);
    writeFile(path("camera.jpg"), TaggedPhotos::cameraJpeg(grey));
    exits(0, {"apply", "-e", "Sepia", "-o", path("kept.jpg"), path("camera.jpg")});
    EXPECT_EQ(TaggedPhotos::tagsOf(path("kept.jpg")).exifValue("Exif.Photo.DateTimeOriginal"),
              "2021:06:05 14:03:09");
    // Upright and kept at its size, the decoded grid itself is written: nothing of the
    // source may ride along on it. Damaged EXIF costs a warning, not the picture.
    writeFile(path("upright.jpg"), TaggedPhotos::cameraJpeg(grey, 1));
    const QByteArray damagedExif("\xFF\xE1\0\x10"
                                 "Exif\0\0II*\0\xFF\xFF\xFF\x7F",
                                 18);
    writeFile(path("damaged.jpg"), TestImages::encoded(grey, "jpeg").insert(2, damagedExif));
    exits(0,
          {"apply", "--strip", "-s", "original", "-d", path("out"), path("upright.jpg"),
           path("damaged.jpg")},
          "warning");
    EXPECT_TRUE(TaggedPhotos::tagsOf(path("out/upright.jpg")).isEmpty());
}

// Killed anywhere in a run, many times, or cut short in the middle of writing by a file size
// limit (every other time): the output is the old whole file or the new one, and the
// temporary a killed run leaves goes with the next run.
TEST_F(VelmoraCli, AKilledRunLeavesTheOldOrTheNewOutput)
{
    QList<QImage> outputs;
    for (const char *look : {"Sepia", "Color Negative"}) {
        exits(0, {"apply", "--force", "-e", look, coffee, "-o", path("out.png")});
        outputs << QImage(path("out.png"));
    }
    const qint64 bytes = QFileInfo(path("out.png")).size();
    int round = 0, leftBehind = 0;
    const std::string files =
        " " + coffee.toStdString() + " -o " + path("out.png").toStdString() + " 2>/dev/null";
    const auto apply = [&](int n) {
        const std::string look = n % 2 ? "'Color Negative'" : "Sepia";
        return std::system((VELMORA_CLI_PATH " apply --force -e " + look + files).c_str()) == 0;
    };
    const long runs = KillTest::killRepeatedly(
        KillTest::rounds(6), 400000,
        [&](const std::function<void()> &done) {
            if (round % 2) {
                KillTest::dieWhenAFileReaches(rlim_t(bytes * round / 6));
                apply(round);
                return;
            }
            for (int n = 0;; ++n)
                if (apply(n))
                    done();
        },
        [&] {
            ++round;
            const int present = int(QDir(dir.path()).entryList({"out.png*"}, QDir::Files).size());
            leftBehind = qMax(leftBehind, present - 1);
            EXPECT_TRUE(outputs.contains(QImage(path("out.png"))));
        });
    EXPECT_GT(runs, 0);
    EXPECT_LE(leftBehind, 1) << "temporaries do not pile up";
    exits(0, {"apply", "--force", coffee, "-o", path("out.png")});
    EXPECT_EQ(QDir(dir.path()).entryList({"out.png*"}, QDir::Files), QStringList{"out.png"});
}

} // namespace

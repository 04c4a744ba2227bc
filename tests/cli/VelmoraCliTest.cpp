// velmora-cli driven as a user would: real files in a temporary folder, the real binary.

#include <gtest/gtest.h>

#include "KillTest.h"
#include "TaggedPhotos.h"
#include "TestImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
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
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString samples = qEnvironmentVariable("VELMORA_SOURCE_DIR") + "/resources/samples/";
        ASSERT_TRUE(QFile::copy(samples + "coffee.png", path("coffee.png")));
        ASSERT_TRUE(QFile::copy(samples + "chelsea.png", path("chelsea.png")));
    }

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

    // Runs the tool expecting success; says what it printed otherwise.
    bool succeeds(const QStringList &arguments) const
    {
        const Result result = run(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return result.exitCode == 0;
    }

    // Runs the tool expecting exit status 1 and a complaint naming `about`.
    void fails(const QStringList &arguments, const QString &about) const
    {
        const Result result = run(arguments);
        EXPECT_EQ(result.exitCode, 1) << about.toStdString();
        EXPECT_TRUE(result.err.contains(about)) << result.err.toStdString();
    }

    // A large photo-like picture (a sample scaled up), saved as `name`.
    QString makeLarge(const QString &name, QSize size) const
    {
        EXPECT_TRUE(QImage(path("coffee.png")).scaled(size).save(path(name)));
        return path(name);
    }

    QTemporaryDir dir;
};

// Inputs that are no pictures, or no files at all, processed in parallel beside a good one:
// the run ends, the good one is written, each bad one gets one line (from us alone, no
// decoder chatter) naming it and, where it says why, the reason.
TEST_F(VelmoraCli, EachBadInputFailsOnOneLineAndTheRunCompletes)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.png")).constData(), 0600), 0);
    QByteArray png = TestImages::encoded(TestImages::random(64, 64, 1), "png");
    png[int(png.indexOf("IDAT")) + 40] ^= 0x55; // the decoder itself finds the damage
    const QByteArray whole = contentsOf(path("chelsea.png"));
    ASSERT_TRUE(writeFile(path("bad-pixels.png"), png) &&
                writeFile(path("broken.jpg"), QByteArray("\xFF\xD8\xFF\xE0", 4)) &&
                writeFile(path("half.png"), whole.left(whole.size() / 2)));
    const std::pair<QString, const char *> bad[] = {
        {path("fifo.png"), "pipe"}, {"/dev/zero", "device"},   {path("bad-pixels.png"), "damaged"},
        {path("broken.jpg"), ""},   {path("missing.png"), ""}, {path("half.png"), ""}};
    QStringList arguments{"apply", "-e", "Sepia", "-j", "2", "-d", path("out")};
    for (const auto &input : bad)
        arguments << input.first;
    const Result result = run(arguments << path("coffee.png"));
    EXPECT_EQ(result.exitCode, 1);
    const QStringList lines = result.err.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 6) << result.err.toStdString();
    for (const auto &[input, reason] : bad) {
        const QStringList about = lines.filter(input);
        EXPECT_TRUE(about.size() == 1 && about[0].contains(reason))
            << input.toStdString() << ": " << result.err.toStdString();
    }
    EXPECT_EQ(QDir(path("out")).entryList(QDir::Files), QStringList{"coffee.png"});
    EXPECT_EQ(QImage(path("out/coffee.png")).size(), QSize(600, 400));
}

TEST_F(VelmoraCli, AFileSizeLimitFailsThatOutputOnlyAndSaysSo)
{
    const QString big = makeLarge("big.png", QSize(1200, 800));
    ASSERT_TRUE(TestImages::solid(40, 30, Qt::red).save(path("small.png")));
    const Result result =
        run({"apply", "-s", "original", "-j", "1", big, path("small.png"), "-d", path("out")}, [] {
            const rlimit limit{256 * 1024, 256 * 1024};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    EXPECT_EQ(result.exitCode, 1) << "killed by SIGXFSZ: " << (result.exitCode == -1);
    EXPECT_TRUE(result.err.contains("big.png") && result.err.contains("size limit"))
        << result.err.toStdString();
    EXPECT_EQ(QDir(path("out")).entryList(QDir::Files | QDir::Hidden), QStringList{"small.png"});
}

TEST_F(VelmoraCli, ListsHelpsAndRefusesUsageErrors)
{
    EXPECT_TRUE(run({"list"}).out.contains("Infrared"));
    const QJsonArray entries =
        QJsonDocument::fromJson(run({"list", "--json"}).out.toUtf8()).array();
    ASSERT_EQ(entries.size(), 36);
    QStringList described;
    int steppable = 0;
    for (const QJsonValue &value : entries) {
        const QJsonObject e = value.toObject();
        steppable += e["steppable"].toBool();
        described << QString("%1:%2 %3 %4 %5")
                         .arg(e["group"].toInt())
                         .arg(e["index"].toInt())
                         .arg(e["name"].toString(), e["level_name"].toString("-"))
                         .arg(e["default_level"].toInt());
    }
    EXPECT_EQ(steppable, 9 + 5 + 8 + 10);
    for (const char *line :
         {"0:3 Adjust Brightness Brightness 10", "1:2 Sepia - 0", "3:8 White border Width 6"})
        EXPECT_TRUE(described.contains(line)) << line;
    const Result help = run({"--help"});
    EXPECT_TRUE(help.exitCode == 0 && help.out.contains("--output-dir"));
    const Result bad = run({"apply", "-e", "Sepia=30", path("coffee.png"), "-d", path("out")});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains("30")) << bad.err.toStdString();
    EXPECT_FALSE(QDir(path("out")).exists());
}

// Reduced to the working size as the editor does; stacked effects in order; the quality
// reaches the encoder (90 by default) and ".jpeg" names a JPEG too; the input is left alone.
TEST_F(VelmoraCli, AppliesStackedEffectsAtTheWorkingSize)
{
    for (const auto &[size, input, expected] :
         {std::tuple{"full", QSize(1800, 2400), QSize(1200, 1600)},
          {"web", QSize(1800, 1200), QSize(640, 424)},
          {"original", QSize(1800, 1200), QSize(1800, 1200)}}) {
        const QString large = makeLarge("large.png", input);
        ASSERT_TRUE(succeeds({"apply", "--force", "-s", size, large, "-o", path("out.png")}));
        EXPECT_EQ(QImage(path("out.png")).size(), expected) << size;
    }
    const QByteArray before = contentsOf(path("coffee.png"));
    // The colour negative applied twice gives the picture back, byte for byte.
    ASSERT_TRUE(succeeds({"apply", "-e", "Color Negative", "-e", "color negative",
                          path("coffee.png"), "-o", path("twice.png")}));
    EXPECT_EQ(QImage(path("twice.png")).convertToFormat(QImage::Format_RGB32),
              QImage(path("coffee.png")).convertToFormat(QImage::Format_RGB32));
    ASSERT_TRUE(succeeds({"apply", "-e", "Sepia", "-e", "White border=20", path("coffee.png"), "-o",
                          path("framed.jpg")}));
    EXPECT_GT(qGray(QImage(path("framed.jpg")).pixel(5, 200)), 240); // 20/200 of 600: 60 white
    ASSERT_TRUE(succeeds({"apply", "-q", "10", path("coffee.png"), "-o", path("low.jpeg")}) &&
                succeeds({"apply", path("coffee.png"), "-o", path("default.jpg")}));
    EXPECT_LT(QFileInfo(path("low.jpeg")).size() * 3, QFileInfo(path("default.jpg")).size());
    EXPECT_EQ(contentsOf(path("coffee.png")), before);
}

// Refused outputs cost exit status 1 and a line naming them: an existing one without
// --force, the input itself (directly or through a link) even with it, one that two inputs
// would share, one that cannot be written.
TEST_F(VelmoraCli, OutputsThatWouldLoseDataOrCannotBeWrittenAreRefused)
{
    ASSERT_TRUE(writeFile(path("out.png"), "keep me"));
    fails({"apply", path("coffee.png"), "-o", path("out.png")}, "out.png");
    EXPECT_EQ(contentsOf(path("out.png")), QByteArray("keep me"));
    EXPECT_TRUE(succeeds({"apply", "--force", path("coffee.png"), "-o", path("out.png")}));
    EXPECT_EQ(QImage(path("out.png")).size(), QSize(600, 400));
    const QByteArray before = contentsOf(path("coffee.png"));
    ASSERT_TRUE(QFile::link(path("coffee.png"), path("link.png")));
    for (const char *output : {"coffee.png", "link.png"})
        fails({"apply", "--force", "-e", "Sepia", path("coffee.png"), "-o", path(output)}, output);
    EXPECT_EQ(contentsOf(path("coffee.png")), before);
    ASSERT_TRUE(QDir(dir.path()).mkdir("again") &&
                QFile::copy(path("chelsea.png"), path("again/coffee.png")));
    const Result twice =
        run({"apply", path("coffee.png"), path("again/coffee.png"), "-d", path("both")});
    EXPECT_EQ(twice.exitCode, 1);
    EXPECT_EQ(twice.err.count("same output"), 1) << twice.err.toStdString();
    EXPECT_EQ(QImage(path("both/coffee.png")).size(), QSize(600, 400)); // the first input's
    ASSERT_TRUE(writeFile(path("not-a-folder"), {}) && QDir(dir.path()).mkdir("folder.png"));
    fails({"apply", path("coffee.png"), "-d", path("not-a-folder/out")}, "not-a-folder");
    fails({"apply", "--force", path("coffee.png"), "-o", path("folder.png")}, "folder.png");
}

// The k-th input gets seed N + k: two copies of one picture come out different, each as a
// run of that file alone with its own seed, whatever the job count.
TEST_F(VelmoraCli, EachInputIsSeededByItsPlaceWhateverTheJobCount)
{
    ASSERT_TRUE(QFile::copy(path("coffee.png"), path("copy.png")));
    const QStringList noise{"apply", "-e", "Night Vision", "-e", "30's Photo"};
    const auto output = [&](const QStringList &options, const char *to) {
        EXPECT_TRUE(succeeds(noise + options + QStringList{"-o", path(to)}));
        return contentsOf(path(to));
    };
    ASSERT_TRUE(succeeds(noise + QStringList{"--seed", "7", "-j", "2", "-d", path("both"),
                                             path("coffee.png"), path("copy.png")}));
    const QByteArray first = contentsOf(path("both/coffee.png"));
    EXPECT_FALSE(first.isEmpty());
    EXPECT_NE(first, contentsOf(path("both/copy.png")));
    EXPECT_EQ(first, output({"--seed", "7", path("coffee.png")}, "seven.png"));
    EXPECT_EQ(contentsOf(path("both/copy.png")),
              output({"--seed", "8", path("copy.png")}, "8.png"));
}

// The camera's records and profile reach the output unless --strip asks for none; a
// damaged EXIF block costs a warning line, not the picture.
TEST_F(VelmoraCli, KeepsOrStripsThePhotosMetadata)
{
    const QImage grey = TestImages::solid(64, 48, Qt::gray);
    writeFile(path("camera.jpg"), TaggedPhotos::cameraJpeg(grey));
    ASSERT_TRUE(succeeds({"apply", "-e", "Sepia", "-o", path("kept.jpg"), path("camera.jpg")}));
    const TaggedPhotos::Tags kept = TaggedPhotos::tagsOf(path("kept.jpg"));
    EXPECT_EQ(kept.exifValue("Exif.Photo.DateTimeOriginal"), "2021:06:05 14:03:09");
    EXPECT_EQ(kept.icc, TaggedPhotos::displayP3Profile());
    // Upright and kept at its size, the decoded grid itself is written: nothing of the
    // source may ride along on it.
    writeFile(path("upright.jpg"), TaggedPhotos::cameraJpeg(grey, 1));
    for (const char *name : {"stripped.jpg", "stripped.png"}) {
        ASSERT_TRUE(succeeds(
            {"apply", "--strip", "-s", "original", "-o", path(name), path("upright.jpg")}));
        EXPECT_TRUE(TaggedPhotos::tagsOf(path(name)).isEmpty()) << name;
    }
    const QByteArray damagedExif("\xFF\xE1\0\x10"
                                 "Exif\0\0II*\0\xFF\xFF\xFF\x7F",
                                 18);
    writeFile(path("damaged.jpg"), TestImages::encoded(grey, "jpeg").insert(2, damagedExif));
    const Result result = run({"apply", "-o", path("damaged-out.jpg"), path("damaged.jpg")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(QFileInfo::exists(path("damaged-out.jpg")));
    EXPECT_TRUE(result.err.count('\n') == 1 && result.err.contains("warning"))
        << result.err.toStdString();
}

// Killed anywhere in a run, many times, or cut short in the middle of writing by a file size
// limit (every other time): the output is the old whole file or the new one, and the
// temporary a killed run leaves goes with the next run.
TEST_F(VelmoraCli, AKilledRunLeavesTheOldOrTheNewOutput)
{
    QList<QImage> outputs;
    for (const char *look : {"Sepia", "Color Negative"}) {
        ASSERT_TRUE(
            succeeds({"apply", "--force", "-e", look, path("coffee.png"), "-o", path("out.png")}));
        outputs << QImage(path("out.png"));
    }
    const qint64 bytes = QFileInfo(path("out.png")).size();
    int round = 0, leftBehind = 0;
    const std::string files = " " + path("coffee.png").toStdString() + " -o " +
                              path("out.png").toStdString() + " 2>/dev/null";
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
    ASSERT_TRUE(succeeds({"apply", "--force", path("coffee.png"), "-o", path("out.png")}));
    EXPECT_EQ(QDir(dir.path()).entryList({"out.png*"}, QDir::Files), QStringList{"out.png"});
}

} // namespace

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

// Inputs that are no pictures or no regular files, and one whose output a file size limit cuts
// short, processed in parallel beside a good one: the run ends with status 1, the good one is
// written and nothing else is left, each bad one gets one line (from us alone: no decoder
// chatter, no bar on a stream that is no terminal) naming it and the reason.
TEST_F(VelmoraCli, EachBadInputFailsOnOneLineAndTheRunCompletes)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.png")).constData(), 0600), 0);
    QByteArray png = TestImages::encoded(TestImages::random(64, 64, 1), "png");
    png[int(png.indexOf("IDAT")) + 40] ^= 0x55; // the decoder itself finds the damage
    ASSERT_TRUE(writeFile(path("bad-pixels.png"), png) &&
                TestImages::random(1600, 1200, 2).save(path("noise.jpg"))); // over 1 MB
    const std::pair<QString, const char *> bad[] = {{path("fifo.png"), "pipe"},
                                                    {"/dev/zero", "device"},
                                                    {path("bad-pixels.png"), "damaged"},
                                                    {path("noise.jpg"), "size limit"}};
    QStringList arguments{"apply", "-j", "2", "-d", path("out")};
    for (const auto &input : bad)
        arguments << input.first;
    const Result result = run(arguments << coffee, [] {
        const rlimit limit{1 << 20, 1 << 20};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(result.exitCode, 1) << "killed by SIGXFSZ: " << (result.exitCode == -1);
    const QStringList lines = result.err.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 4) << result.err.toStdString();
    for (const auto &[input, reason] : bad) {
        const QStringList about = lines.filter(QFileInfo(input).fileName());
        EXPECT_TRUE(about.size() == 1 && about[0].contains(reason))
            << input.toStdString() << ": " << result.err.toStdString();
    }
    EXPECT_EQ(QDir(path("out")).entryList(QDir::Files | QDir::Hidden), QStringList{"coffee.png"});
    EXPECT_EQ(QImage(path("out/coffee.png")).size(), QSize(600, 400));
}

TEST_F(VelmoraCli, ListsHelpsAndRefusesUsageErrors)
{
    EXPECT_TRUE(run({"list"}).out.contains("Infrared"));
    const QJsonArray entries =
        QJsonDocument::fromJson(run({"list", "--json"}).out.toUtf8()).array();
    QStringList described;
    for (const QJsonValue &value : entries) {
        const QJsonObject e = value.toObject();
        described << QString("%1:%2 %3 %4 %5 %6")
                         .arg(e["group"].toInt())
                         .arg(e["index"].toInt())
                         .arg(e["name"].toString(), e["level_name"].toString("-"))
                         .arg(e["default_level"].toInt())
                         .arg(e["steppable"].toBool() ? "stepped" : "fixed");
    }
    EXPECT_EQ(described.size(), 36);
    EXPECT_EQ(described.filter(" stepped").size(), 9 + 5 + 8 + 10);
    for (const char *line :
         {"2:9 Water Color Details 10 fixed", "1:2 Sepia - 0 stepped",
          "3:8 White border Width 6 stepped", "0:3 Adjust Brightness Brightness 10 stepped"})
        EXPECT_TRUE(described.contains(line)) << line;
    const Result help = run({"--help"});
    EXPECT_TRUE(help.exitCode == 0 && help.out.contains("--output-dir"));
    exits(2, {"apply", "-e", "Sepia=30", coffee, "-d", path("out")}, "30");
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
    exits(0, {"apply", "-e", "Sepia", "-e", "White border=20", coffee, "-o", path("framed.jpg")});
    EXPECT_GT(qGray(QImage(path("framed.jpg")).pixel(5, 200)), 240); // 20/200 of 600: 60 white
    exits(0, {"apply", "-q", "10", coffee, "-o", path("low.jpeg")});
    exits(0, {"apply", coffee, "-o", path("default.jpg")});
    EXPECT_LT(QFileInfo(path("low.jpeg")).size() * 3, QFileInfo(path("default.jpg")).size());
}

// Refused outputs cost exit status 1 and a line naming them: an existing one without
// --force, the input itself (directly or through a link) even with it, one that two inputs
// would share.
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
    ASSERT_TRUE(QDir(dir.path()).mkdir("again") &&
                QFile::copy(samples + "chelsea.png", path("again/coffee.png")));
    exits(1, {"apply", coffee, path("again/coffee.png"), "-d", path("both")}, "same output");
    EXPECT_EQ(QImage(path("both/coffee.png")).size(), QSize(600, 400)); // the first input's
}

// The k-th input gets seed N + k: two copies of one picture come out different, each as a
// run of that file alone with its own seed, whatever the job count.
TEST_F(VelmoraCli, EachInputIsSeededByItsPlaceWhateverTheJobCount)
{
    ASSERT_TRUE(QFile::copy(coffee, path("copy.png")));
    const QStringList noise{"apply", "--force", "-e", "Night Vision", "-e", "30's Photo"};
    exits(0, noise + QStringList{"--seed", "7", "-j", "2", "-d", path("both"), coffee,
                                 path("copy.png")});
    for (const auto &[seed, name] : {std::pair{"7", "coffee.png"}, {"8", "copy.png"}}) {
        exits(0, noise + QStringList{"--seed", seed, path(name), "-o", path("alone.png")});
        EXPECT_EQ(contentsOf(path("both/") + name), contentsOf(path("alone.png"))) << name;
    }
    EXPECT_NE(contentsOf(path("both/coffee.png")), contentsOf(path("both/copy.png")));
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

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "CliOptions.h"
#include "ImageEffect.h"
#include "Recipe.h"
#include "TestImages.h"

namespace {

CliOptions parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("velmora-cli"));
    return CliOptions::parse(arguments);
}

TEST(CliOptions, EachLimitIsAcceptedUpToItAndRefusedBeyond)
{
    // Arguments accepted as they stand and refused once their last word becomes the one
    // after ">", so that each limit is probed from both sides; without ">", refused as they are.
    const QString a = "apply a.jpg -d o ";
    const QString limits[] = {
        "", "paint a.jpg", a + "--colour", "apply -d out", "apply a.jpg", a + "-o b.jpg",
        "apply a.jpg b.jpg -o c.jpg", "list a.jpg", "apply a.jpg -o b.jpeg > b.bmp",
        // Steps and sizes as far as they reach the recipe's parser, which has the limits.
        a + "-e Vignette", a + "-s web > huge", a + "-q 1 > 0", a + "-q 100 > 101",
        a + "--seed 4294967295 > 4294967296", a + "--seed 0 > x", a + "-j 1 > 0",
        a + "-j 256 > 257", a + "--memory 64 > 63"};
    for (const QString &limit : limits) {
        QStringList words = limit.section(" > ", 0, 0).split(' ', Qt::SkipEmptyParts);
        if (limit.contains(" > ")) {
            EXPECT_EQ(parse(words).error, QString()) << limit.toStdString();
            words.last() = limit.section(" > ", 1);
        }
        EXPECT_FALSE(parse(words).error.isEmpty()) << limit.toStdString();
    }
}

// A recipe's steps stand where --recipe does, among steps by name or place, with or without a
// level; its size holds unless -s is given.
TEST(CliOptions, ARecipesStepsStandWhereItIsGiven)
{
    QTemporaryDir dir;
    const QString recipe = dir.filePath("look.velmora");
    ASSERT_TRUE(writeFile(recipe, "velmora-recipe 1\nsize web\nNight Vision seed=4\nSepia\n"));
    const QStringList around{"apply", "-e",     "color negative", "--recipe", recipe,
                             "-e",    "2:9=12", "a.jpg",          "-o",       "b.png"};
    const CliOptions options = parse(around);
    EXPECT_EQ((Recipe{options.effects, options.workingSize}.text()),
              "velmora-recipe 1\nsize 640x480\nColor Negative\nNight Vision seed=4\nSepia\n"
              "Water Color=12\n"); // 2:9: beyond the stepping count
    EXPECT_EQ(parse(around + QStringList{"-s", "full"}).workingSize, QSize(1600, 1200));
    EXPECT_EQ(parse(around + QStringList{"--recipe", recipe}).error, "--recipe is given once");
}

TEST(CliOptions, DefaultsAndExplicitValues)
{
    const auto values = [](const CliOptions &o) {
        return std::tuple(o.workingSize, o.quality, o.seeded ? qint64(o.seed) : -1, o.jobs,
                          o.memoryBudget, o.force, o.inputs);
    };
    EXPECT_EQ(values(parse({"apply", "a.jpg", "b.jpg", "-d", "out"})),
              std::tuple(QSize(1600, 1200), 90, qint64(-1), 0, qint64(0), false,
                         QStringList{"a.jpg", "b.jpg"}));
    EXPECT_EQ(values(parse({"apply", "-s", "medium", "-q", "75", "--seed", "4294967295", "-j", "3",
                            "--force", "-m", "3000", "a.jpg", "-o", "b.png"})),
              std::tuple(QSize(1024, 768), 75, qint64(4294967295), 3, qint64(3145728000), true,
                         QStringList{"a.jpg"}));
    EXPECT_TRUE(parse({"apply", "-s", "original", "a", "-o", "b"}).workingSize.isEmpty());
    EXPECT_TRUE(parse({"--help"}).showHelp && parse({"apply", "-h"}).showHelp);
    EXPECT_TRUE(parse({"--version"}).showVersion);
}

} // namespace

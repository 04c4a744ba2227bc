#include <gtest/gtest.h>

#include "CliOptions.h"
#include "ImageEffect.h"

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
        a + "-e Vignette", a + "-e Posterize=20 > Posterize=21",
        a + "-e Posterize=0 > Posterize=-1", a + "-e Posterize=lots", a + "-e Sepia > Sepia=5",
        a + "-e 3:0 > 4:0", a + "-e 2:10 > 2:11",
        // Too large for an int: refused, not wrapped to 0.
        a + "-e 1:0 > 4294967297:0", a + "-e 1:0 > 1:99999999999", a + "-s web > huge",
        a + "-q 1 > 0", a + "-q 100 > 101", a + "--seed 4294967295 > 4294967296",
        a + "--seed 0 > x", a + "-j 1 > 0", a + "-j 256 > 257", a + "--memory 64 > 63"};
    for (const QString &limit : limits) {
        QStringList words = limit.section(" > ", 0, 0).split(' ', Qt::SkipEmptyParts);
        if (limit.contains(" > ")) {
            EXPECT_EQ(parse(words).error, QString()) << limit.toStdString();
            words.last() = limit.section(" > ", 1);
        }
        EXPECT_FALSE(parse(words).error.isEmpty()) << limit.toStdString();
    }
}

// Each effect as "name level" (-1: none given).
QStringList stack(const CliOptions &options)
{
    QStringList steps;
    for (const RecipeStep &step : options.effects)
        steps << QStringLiteral("%1 %2").arg(step.name()).arg(step.level);
    return steps;
}

TEST(CliOptions, StacksEffectsInTheOrderGivenByNameOrPlace)
{
    EXPECT_EQ(stack(parse({"apply", "-e", "sepia", "--effect", "Adjust Brightness=14", "-e",
                           "3:8=12", "-e", "2:9", "in.jpg", "-d", "out"})),
              (QStringList{"Sepia -1", "Adjust Brightness 14", "White border 12",
                           "Water Color -1"})); // 2:9: beyond the stepping count
    EXPECT_EQ(
        stack(parse({"apply", "-e", "16 : 9 (hdtv)", "-e", "30's photo", "x.png", "-o", "y.png"})),
        (QStringList{"16 : 9 (HDTV) -1", "30's Photo -1"}));
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
    EXPECT_EQ(values(parse({"apply", "-s", "web", "-q", "75", "--seed", "4294967295", "-j", "3",
                            "--force", "-m", "3000", "a.jpg", "-o", "b.png"})),
              std::tuple(QSize(640, 480), 75, qint64(4294967295), 3, qint64(3145728000), true,
                         QStringList{"a.jpg"}));
    EXPECT_EQ(parse({"apply", "-s", "medium", "a", "-o", "b"}).workingSize, QSize(1024, 768));
    EXPECT_TRUE(parse({"apply", "-s", "original", "a", "-o", "b"}).workingSize.isEmpty());
    EXPECT_TRUE(parse({"--help"}).showHelp && parse({"apply", "-h"}).showHelp);
    EXPECT_TRUE(parse({"--version"}).showVersion);
}

} // namespace

#include <gtest/gtest.h>

#include "CliOptions.h"
#include "ImageEffect.h"

namespace {

CliOptions parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("velmora-cli"));
    return CliOptions::parse(arguments);
}

// Arguments accepted as they stand and refused once their last word becomes `refused`, so
// that each limit is probed from both sides; without `refused`, refused as they stand.
struct Limit
{
    const char *why;
    QStringList arguments;
    QString refused = {};
};

using CliLimit = testing::TestWithParam<Limit>;

TEST_P(CliLimit, IsAcceptedUpToItAndRefusedBeyond)
{
    QStringList arguments = GetParam().arguments;
    if (!GetParam().refused.isEmpty()) {
        EXPECT_EQ(parse(arguments).error, QString()) << GetParam().why;
        arguments.last() = GetParam().refused;
    }
    EXPECT_FALSE(parse(arguments).error.isEmpty()) << GetParam().why;
}

const QStringList kApply{"apply", "a.jpg", "-d", "o"};

INSTANTIATE_TEST_SUITE_P(
    Cases, CliLimit,
    testing::Values(
        Limit{"no command", {}}, Limit{"unknown command", {"paint", "a.jpg"}},
        Limit{"unknown option", kApply + QStringList{"--colour"}},
        Limit{"no input", {"apply", "-d", "out"}}, Limit{"no output", {"apply", "a.jpg"}},
        Limit{"both outputs", kApply + QStringList{"-o", "b.jpg"}},
        Limit{"-o with two inputs", {"apply", "a.jpg", "b.jpg", "-o", "c.jpg"}},
        Limit{"list with files", {"list", "a.jpg"}},
        Limit{"output format", {"apply", "a.jpg", "-o", "b.jpeg"}, "b.bmp"},
        Limit{"effect", kApply + QStringList{"-e", "Vignette"}},
        Limit{"level above 20", kApply + QStringList{"-e", "Posterize=20"}, "Posterize=21"},
        Limit{"level below 0", kApply + QStringList{"-e", "Posterize=0"}, "Posterize=-1"},
        Limit{"level not a number", kApply + QStringList{"-e", "Posterize=lots"}},
        Limit{"level on a fixed look", kApply + QStringList{"-e", "Sepia"}, "Sepia=5"},
        Limit{"group", kApply + QStringList{"-e", "3:0"}, "4:0"},
        Limit{"index", kApply + QStringList{"-e", "2:10"}, "2:11"},
        // Too large for an int: refused, not wrapped to 0.
        Limit{"group past int", kApply + QStringList{"-e", "1:0"}, "4294967297:0"},
        Limit{"index past int", kApply + QStringList{"-e", "1:0"}, "1:99999999999"},
        Limit{"size", kApply + QStringList{"-s", "web"}, "huge"},
        Limit{"quality 1", kApply + QStringList{"-q", "1"}, "0"},
        Limit{"quality 100", kApply + QStringList{"-q", "100"}, "101"},
        Limit{"seed", kApply + QStringList{"--seed", "4294967295"}, "4294967296"},
        Limit{"seed not a number", kApply + QStringList{"--seed", "0"}, "x"},
        Limit{"one job", kApply + QStringList{"-j", "1"}, "0"},
        Limit{"256 jobs", kApply + QStringList{"-j", "256"}, "257"},
        Limit{"memory", kApply + QStringList{"--memory", "64"}, "63"}),
    [](const auto &info) { return std::to_string(info.index); });

// Each effect as "name level" (-1: none given).
QStringList stack(const CliOptions &options)
{
    QStringList steps;
    for (const EffectStep &step : options.effects)
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
        return QStringLiteral("%1x%2 q%3 %4%5 j%6 m%7 %8 %9")
            .arg(o.workingSize.width())
            .arg(o.workingSize.height())
            .arg(o.quality)
            .arg(o.seeded ? QString("seed") : QString("random"))
            .arg(o.seeded ? QString::number(o.seed) : QString())
            .arg(o.jobs)
            .arg(o.memoryBudget)
            .arg(o.force ? QString("force") : QString("keep"), o.inputs.join(','));
    };
    EXPECT_EQ(values(parse({"apply", "a.jpg", "b.jpg", "-d", "out"})),
              "1600x1200 q90 random j0 m0 keep a.jpg,b.jpg");
    EXPECT_EQ(values(parse({"apply", "-s", "web", "-q", "75", "--seed", "4294967295", "-j", "3",
                            "--force", "-m", "3000", "a.jpg", "-o", "b.png"})),
              "640x480 q75 seed4294967295 j3 m3145728000 force a.jpg");
    EXPECT_EQ(parse({"apply", "-s", "medium", "a", "-o", "b"}).workingSize, QSize(1024, 768));
    EXPECT_TRUE(parse({"apply", "-s", "original", "a", "-o", "b"}).workingSize.isEmpty());
    EXPECT_TRUE(parse({"--help"}).showHelp && parse({"apply", "-h"}).showHelp);
    EXPECT_TRUE(parse({"--version"}).showVersion);
    const CliOptions list = parse({"list", "--json"});
    EXPECT_TRUE(list.command == CliOptions::Command::List && list.json && list.error.isEmpty());
}

} // namespace

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
        const CliOptions accepted = parse(arguments);
        EXPECT_TRUE(accepted.error.isEmpty())
            << GetParam().why << ": " << accepted.error.toStdString();
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

TEST(CliOptions, StacksEffectsInTheOrderGiven)
{
    const CliOptions options = parse({"apply", "-e", "sepia", "--effect", "Adjust Brightness=14",
                                      "-e", "3:8=12", "-e", "2:9", "in.jpg", "-d", "out"});
    ASSERT_TRUE(options.error.isEmpty()) << options.error.toStdString();
    ASSERT_EQ(options.effects.size(), 4);
    EXPECT_EQ(options.effects[0].name(), "Sepia");
    EXPECT_EQ(options.effects[0].level, -1);
    EXPECT_EQ(options.effects[1].name(), "Adjust Brightness");
    EXPECT_EQ(options.effects[1].level, 14);
    EXPECT_EQ(options.effects[2].name(), "White border");
    EXPECT_EQ(options.effects[2].level, 12);
    EXPECT_EQ(options.effects[3].name(), "Water Color"); // beyond the stepping count
    const CliOptions named =
        parse({"apply", "-e", "16 : 9 (hdtv)", "-e", "30's photo", "x.png", "-o", "y.png"});
    ASSERT_EQ(named.effects.size(), 2) << named.error.toStdString();
    EXPECT_EQ(named.effects[0].name(), "16 : 9 (HDTV)");
    EXPECT_EQ(named.effects[1].name(), "30's Photo");
}

TEST(CliOptions, DefaultsAndExplicitValues)
{
    CliOptions options = parse({"apply", "a.jpg", "b.jpg", "-d", "out"});
    ASSERT_TRUE(options.error.isEmpty());
    EXPECT_EQ(options.workingSize, QSize(1600, 1200));
    EXPECT_EQ(options.quality, 90);
    EXPECT_FALSE(options.seeded);
    EXPECT_EQ(options.jobs, 0);
    EXPECT_EQ(options.memoryBudget, 0);
    EXPECT_EQ(options.inputs, (QStringList{"a.jpg", "b.jpg"}));

    options = parse({"apply", "-s", "web", "-q", "75", "--seed", "4294967295", "-j", "3", "--force",
                     "-m", "3000", "a.jpg", "-o", "b.png"});
    ASSERT_TRUE(options.error.isEmpty()) << options.error.toStdString();
    EXPECT_EQ(options.workingSize, QSize(640, 480));
    EXPECT_EQ(options.quality, 75);
    EXPECT_TRUE(options.seeded);
    EXPECT_EQ(options.seed, 4294967295u);
    EXPECT_EQ(options.jobs, 3);
    EXPECT_EQ(options.memoryBudget, qint64(3000) << 20);
    EXPECT_TRUE(options.force);

    EXPECT_EQ(parse({"apply", "-s", "medium", "a", "-o", "b"}).workingSize, QSize(1024, 768));
    EXPECT_TRUE(parse({"apply", "-s", "original", "a", "-o", "b"}).workingSize.isEmpty());
}

TEST(CliOptions, HelpVersionAndList)
{
    EXPECT_TRUE(parse({"--help"}).showHelp && parse({"apply", "-h"}).showHelp);
    EXPECT_TRUE(parse({"--version"}).showVersion);
    const CliOptions list = parse({"list", "--json"});
    EXPECT_TRUE(list.command == CliOptions::Command::List && list.json && list.error.isEmpty());
}

} // namespace

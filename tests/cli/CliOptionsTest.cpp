#include <gtest/gtest.h>

#include "CliOptions.h"
#include "ImageEffect.h"

namespace {

CliOptions parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("velmora-cli"));
    return CliOptions::parse(arguments);
}

struct UsageErrorCase
{
    const char *why;
    QStringList arguments;
};

class UsageError : public testing::TestWithParam<UsageErrorCase>
{
};

TEST_P(UsageError, IsReportedNotRun)
{
    const CliOptions options = parse(GetParam().arguments);
    EXPECT_FALSE(options.error.isEmpty()) << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageError,
    testing::Values(
        UsageErrorCase{"no command", {}}, UsageErrorCase{"unknown command", {"paint", "a.jpg"}},
        UsageErrorCase{"unknown option", {"apply", "--colour", "a.jpg", "-d", "out"}},
        UsageErrorCase{"no input", {"apply", "-d", "out"}},
        UsageErrorCase{"no output", {"apply", "a.jpg"}},
        UsageErrorCase{"both outputs", {"apply", "a.jpg", "-o", "b.jpg", "-d", "out"}},
        UsageErrorCase{"-o with two inputs", {"apply", "a.jpg", "b.jpg", "-o", "c.jpg"}},
        UsageErrorCase{"unknown effect", {"apply", "-e", "Vignette", "a.jpg", "-d", "o"}},
        UsageErrorCase{"level above 20", {"apply", "-e", "Sepia=21", "a.jpg", "-d", "o"}},
        UsageErrorCase{"negative level", {"apply", "-e", "Posterize=-1", "a.jpg", "-d", "o"}},
        UsageErrorCase{"level not a number", {"apply", "-e", "Posterize=lots", "a", "-d", "o"}},
        UsageErrorCase{"level on a fixed look", {"apply", "-e", "Sepia=5", "a.jpg", "-d", "o"}},
        UsageErrorCase{"group out of range", {"apply", "-e", "4:0", "a.jpg", "-d", "o"}},
        UsageErrorCase{"index out of range", {"apply", "-e", "2:11", "a.jpg", "-d", "o"}},
        UsageErrorCase{"bad size", {"apply", "-s", "huge", "a.jpg", "-d", "o"}},
        UsageErrorCase{"quality 0", {"apply", "-q", "0", "a.jpg", "-d", "o"}},
        UsageErrorCase{"quality 101", {"apply", "-q", "101", "a.jpg", "-d", "o"}},
        UsageErrorCase{"seed not a number", {"apply", "--seed", "x", "a.jpg", "-d", "o"}},
        UsageErrorCase{"zero jobs", {"apply", "-j", "0", "a.jpg", "-d", "o"}},
        UsageErrorCase{"list with files", {"list", "a.jpg"}},
        UsageErrorCase{"output format unknown", {"apply", "a.jpg", "-o", "b.bmp"}}),
    [](const testing::TestParamInfo<UsageErrorCase> &info) {
        std::string name;
        for (char c : std::string(info.param.why))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

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
}

TEST(CliOptions, NamesWithColonsAndSpacesAreFoundByName)
{
    const CliOptions options =
        parse({"apply", "-e", "16 : 9 (hdtv)", "-e", "30's photo", "x.png", "-o", "y.png"});
    ASSERT_TRUE(options.error.isEmpty()) << options.error.toStdString();
    EXPECT_EQ(options.effects[0].name(), "16 : 9 (HDTV)");
    EXPECT_EQ(options.effects[1].name(), "30's Photo");
}

TEST(CliOptions, DefaultsAndExplicitValues)
{
    CliOptions options = parse({"apply", "a.jpg", "b.jpg", "-d", "out"});
    ASSERT_TRUE(options.error.isEmpty());
    EXPECT_EQ(options.workingSize, QSize(1600, 1200));
    EXPECT_EQ(options.quality, 90);
    EXPECT_FALSE(options.seeded);
    EXPECT_EQ(options.jobs, 0);
    EXPECT_EQ(options.inputs, (QStringList{"a.jpg", "b.jpg"}));

    options = parse({"apply", "-s", "web", "-q", "75", "--seed", "4294967295", "-j", "3", "--force",
                     "a.jpg", "-o", "b.png"});
    ASSERT_TRUE(options.error.isEmpty()) << options.error.toStdString();
    EXPECT_EQ(options.workingSize, QSize(640, 480));
    EXPECT_EQ(options.quality, 75);
    EXPECT_TRUE(options.seeded);
    EXPECT_EQ(options.seed, 4294967295u);
    EXPECT_EQ(options.jobs, 3);
    EXPECT_TRUE(options.force);

    EXPECT_EQ(parse({"apply", "-s", "medium", "a", "-o", "b"}).workingSize, QSize(1024, 768));
    EXPECT_TRUE(parse({"apply", "-s", "original", "a", "-o", "b"}).workingSize.isEmpty());
}

TEST(CliOptions, HelpVersionAndList)
{
    EXPECT_TRUE(parse({"--help"}).showHelp);
    EXPECT_TRUE(parse({"apply", "-h"}).showHelp);
    EXPECT_TRUE(parse({"--version"}).showVersion);
    const CliOptions list = parse({"list", "--json"});
    EXPECT_EQ(list.command, CliOptions::Command::List);
    EXPECT_TRUE(list.json);
    EXPECT_TRUE(list.error.isEmpty());
}

} // namespace

#include <gtest/gtest.h>

#include <QDir>

#include "FuzzSeeds.h"
#include "FuzzTargets.h"
#include "TestImages.h"

// Runs the fuzz targets' hand-made seeds, and the inputs the fuzzers once found faults with
// (tests/fuzz-regressions/TARGET/), through the same entry points and checks: each must be
// refused cleanly or handled soundly.
namespace {

struct Target
{
    const char *name;
    QString (*run)(const QByteArray &);
    QList<QByteArray> (*seeds)();
};

const QString kSource = qEnvironmentVariable("VELMORA_SOURCE_DIR");

using FuzzRegression = ::testing::TestWithParam<Target>;

TEST_P(FuzzRegression, SeedsAndSavedFindingsAreHandledWithoutFault)
{
    FuzzTargets::ensureApplication();
    const Target &target = GetParam();
    const QList<QByteArray> seeds = target.seeds();
    ASSERT_FALSE(seeds.isEmpty());
    for (int n = 0; n < seeds.size(); ++n)
        EXPECT_EQ(target.run(seeds[n]).toStdString(), "") << "seed " << n;
    const QDir saved(kSource + "/tests/fuzz-regressions/" + target.name);
    for (const QString &name : saved.entryList(QDir::Files))
        EXPECT_EQ(target.run(contentsOf(saved.filePath(name))).toStdString(), "")
            << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Targets, FuzzRegression,
    ::testing::Values(Target{"image_intake", FuzzTargets::imageIntake,
                             [] { return FuzzSeeds::imageIntake(kSource + "/resources/samples"); }},
                      Target{"settings_file", FuzzTargets::settingsFile, FuzzSeeds::settingsFile},
                      Target{"cli_options", FuzzTargets::cliOptions, FuzzSeeds::cliOptions},
                      Target{"metadata", FuzzTargets::metadata, FuzzSeeds::metadata},
                      Target{"recipe", FuzzTargets::recipe, FuzzSeeds::recipe}),
    [](const ::testing::TestParamInfo<Target> &info) { return std::string(info.param.name); });

} // namespace

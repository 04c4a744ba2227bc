#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "FuzzSeeds.h"
#include "FuzzTargets.h"

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

QString sourceDir()
{
    return qEnvironmentVariable("VELMORA_SOURCE_DIR");
}

QList<QByteArray> imageSeeds()
{
    return FuzzSeeds::imageIntake(sourceDir() + "/resources/samples");
}

class FuzzRegression : public ::testing::TestWithParam<Target>
{
};

TEST_P(FuzzRegression, SeedsAndSavedFindingsAreHandledWithoutFault)
{
    FuzzTargets::ensureApplication();
    const Target &target = GetParam();
    QList<std::pair<QString, QByteArray>> inputs;
    const QList<QByteArray> seeds = target.seeds();
    ASSERT_FALSE(seeds.isEmpty());
    for (int n = 0; n < seeds.size(); ++n)
        inputs.append({QStringLiteral("seed %1").arg(n), seeds[n]});
    const QDir saved(sourceDir() + "/tests/fuzz-regressions/" + target.name);
    for (const QString &name : saved.entryList(QDir::Files)) {
        QFile file(saved.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        inputs.append({name, file.readAll()});
    }
    for (const auto &[name, bytes] : inputs)
        EXPECT_EQ(target.run(bytes).toStdString(), "") << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Targets, FuzzRegression,
    ::testing::Values(Target{"image_intake", FuzzTargets::imageIntake, imageSeeds},
                      Target{"settings_file", FuzzTargets::settingsFile, FuzzSeeds::settingsFile},
                      Target{"cli_options", FuzzTargets::cliOptions, FuzzSeeds::cliOptions}),
    [](const ::testing::TestParamInfo<Target> &info) { return std::string(info.param.name); });

} // namespace

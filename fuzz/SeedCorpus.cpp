// Writes the small hand-made inputs the fuzzers start from:
//   velmora-fuzz-seeds SAMPLES_DIR OUT_DIR
// OUT_DIR/TARGET (image_intake, settings_file, cli_options, metadata, recipe) receives one file
// each.
#include <QDir>
#include <QFile>

#include <cstdio>

#include "FuzzSeeds.h"
#include "FuzzTargets.h"

namespace {

bool writeSeeds(const QDir &out, const char *target, const QList<QByteArray> &seeds)
{
    out.mkpath(QLatin1String(target));
    const QDir folder(out.filePath(QLatin1String(target)));
    for (int n = 0; n < seeds.size(); ++n) {
        QFile file(folder.filePath(QStringLiteral("seed-%1").arg(n)));
        if (!file.open(QIODevice::WriteOnly) || file.write(seeds[n]) != seeds[n].size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return false;
        }
    }
    return !seeds.isEmpty();
}

} // namespace

int main(int argc, char **argv)
{
    FuzzTargets::ensureApplication();
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SAMPLES_DIR OUT_DIR\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const bool ok =
        writeSeeds(out, "image_intake", FuzzSeeds::imageIntake(QString::fromLocal8Bit(argv[1]))) &&
        writeSeeds(out, "settings_file", FuzzSeeds::settingsFile()) &&
        writeSeeds(out, "cli_options", FuzzSeeds::cliOptions()) &&
        writeSeeds(out, "metadata", FuzzSeeds::metadata()) &&
        writeSeeds(out, "recipe", FuzzSeeds::recipe());
    return ok ? 0 : 1;
}

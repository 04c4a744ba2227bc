#include <cstdio>

#include <QCoreApplication>

#include "BatchRunner.h"
#include "CatalogueListing.h"
#include "CliOptions.h"

namespace {

// Decoders report damage through Qt's log as well; the tool says it once, in its own
// words, naming the file.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "velmora-cli: %s\n", qPrintable(message));
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(quietMessages);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));

    const CliOptions options = CliOptions::parse(QCoreApplication::arguments());
    if (options.showHelp) {
        std::fputs(qPrintable(CliOptions::usage()), stdout);
        return 0;
    }
    if (options.showVersion) {
        std::printf("velmora-cli %s\n", VELMORA_VERSION);
        return 0;
    }
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "velmora-cli: %s\nTry 'velmora-cli --help'.\n",
                     qPrintable(options.error));
        return 2;
    }
    if (options.command == CliOptions::Command::List) {
        if (options.json)
            std::fputs(CatalogueListing::json().constData(), stdout);
        else
            std::fputs(qPrintable(CatalogueListing::text()), stdout);
        return 0;
    }
    return BatchRunner(options).run();
}

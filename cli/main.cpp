#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>

#include "BatchRunner.h"
#include "CatalogueListing.h"
#include "CliOptions.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#include <sanitizer/common_interface_defs.h>
#define VELMORA_SANITIZED 1
#endif

namespace {

std::FILE *g_messages = stderr;

// Decoders report damage through Qt's log as well; the tool says it once, in its own
// words, naming the file.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        std::fprintf(g_messages, "velmora-cli: %s\n", qPrintable(message));
}

// Some decoders write their complaints straight to the process's stderr, whatever their
// caller asks. The tool keeps the real stderr for its own lines and points descriptor 2
// at /dev/null for the libraries; sanitizer reports still reach the real one.
std::FILE *ownStderr()
{
    const int own = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    std::FILE *stream = own >= 0 && null >= 0 ? ::fdopen(own, "w") : nullptr;
    if (!stream || ::dup2(null, STDERR_FILENO) < 0) {
        if (stream)
            std::fclose(stream);
        if (null >= 0)
            ::close(null);
        return stderr;
    }
    ::close(null);
    std::setvbuf(stream, nullptr, _IONBF, 0);
#ifdef VELMORA_SANITIZED
    __sanitizer_set_report_fd(reinterpret_cast<void *>(static_cast<intptr_t>(own)));
#endif
    return stream;
}

} // namespace

int main(int argc, char *argv[])
{
    // Past a file-size limit (ulimit -f) a write fails with EFBIG and that output is reported,
    // instead of the signal ending the whole run.
    std::signal(SIGXFSZ, SIG_IGN);
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
    g_messages = ownStderr();
    return BatchRunner(options, g_messages).run();
}

#include "OrvistoAppDelegate.h"
#include "RunningAnimations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <csignal>
#include <cstring>

namespace {

void describe(QCommandLineParser &parser)
{
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    QCoreApplication::setOrganizationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    parser.setApplicationDescription(QStringLiteral("Velmora, the photo-effects editor."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("photo"),
                                 QStringLiteral("A photo to open in the editor (JPEG, PNG, ...)."),
                                 QStringLiteral("[photo]"));
}

// Help and the version are text: they are answered without asking for a display, so they work
// on a machine that has none.
bool asksOnlyForText(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option : {"-h", "--help", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (asksOnlyForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        QCommandLineParser parser;
        describe(parser);
        parser.process(app);
        return 0;
    }
    // Over a file-size limit a write fails and the save says so; the signal would end the
    // program and the user's work with it.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velmora.png")));
    QApplication::setDesktopFileName(QStringLiteral("app.velmora.Velmora"));

    QCommandLineParser parser;
    describe(parser);
    parser.process(app);

    OrvistoAppDelegate delegate;
    delegate.applicationDidFinishLaunching();
    if (!parser.positionalArguments().isEmpty())
        delegate.openPhoto(parser.positionalArguments().constFirst());
    const int status = app.exec();
    // A slide or fade still running at quit (a save's slide, a bar's) ends now and its objects
    // go, rather than outliving the window they draw on.
    RunningAnimations::finishAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}

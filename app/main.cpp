#include "OrvistoAppDelegate.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <csignal>

int main(int argc, char *argv[])
{
    // Over a file-size limit a write fails and the save says so; the signal would end the
    // program and the user's work with it.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velmora.png")));
    QApplication::setDesktopFileName(QStringLiteral("app.velmora.Velmora"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Velmora, the photo-effects editor."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("photo"),
                                 QStringLiteral("A photo to open in the editor (JPEG, PNG, ...)."),
                                 QStringLiteral("[photo]"));
    parser.process(app);

    OrvistoAppDelegate delegate;
    delegate.applicationDidFinishLaunching();
    if (!parser.positionalArguments().isEmpty())
        delegate.openPhoto(parser.positionalArguments().constFirst());
    return app.exec();
}

#include "hosted/engineprofile.h"
#include "main_window/commandline.h"
#include "main_window/form1.h"
#include "page_events/pageevents.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // Help and the version need no display and no engine; they are answered first.
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    const CommandLine::Request early = CommandLine::parse(raw);
    if (early.action == CommandLine::Action::Help) {
        QTextStream(stdout) << CommandLine::usage();
        return 0;
    }
    if (early.action == CommandLine::Action::Version) {
        QTextStream(stdout) << CommandLine::version();
        return 0;
    }

    // The engine's sandbox cannot run as root; it stays on unless the user turns it off.
    if (geteuid() == 0 && qEnvironmentVariable("QTWEBENGINE_DISABLE_SANDBOX") != u"1") {
        QTextStream(stderr) << "tessarvine: the web engine's sandbox cannot run as root; run "
                               "Tessarvine as an ordinary user, or set "
                               "QTWEBENGINE_DISABLE_SANDBOX=1 to run it without the sandbox.\n";
        return 1;
    }

    // The engine shares its OpenGL contexts with the widgets; this must precede the app.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarvine"));
    QApplication::setDesktopFileName(QStringLiteral("tessarvine"));

    // Qt has taken its own options (-platform, -style, ...) out of the arguments by now.
    const CommandLine::Request request = CommandLine::parse(app.arguments().mid(1));
    if (request.action == CommandLine::Action::Refuse) {
        QTextStream(stderr) << request.problem << '\n' << CommandLine::usage();
        return 2;
    }
    BrowserAddresses addresses;
    for (const QString &argument : request.addresses)
        addresses.opening << CommandLine::addressFor(argument, QDir::current());

    // Declared first so it is destroyed last, after every page of the window.
    EngineProfile profile;
    Form1 window(profile.factory(), addresses);
    // The page views' events drive the window; owned by it.
    new PageEvents(window);
    window.show();
    return app.exec();
}

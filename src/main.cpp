#include "app/browser.h"
#include "app/commandline.h"
#include "app/onewindow.h"
#include "hosted/engineprofile.h"
#include "hosted/renderpath.h"

#include <csignal>
#include <QApplication>
#include <QDir>
#include <QSocketNotifier>
#include <QTextStream>
#include <unistd.h>

namespace {

int termPipe[2] = { -1, -1 };

void onTerm(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(termPipe[1], &byte, 1);
}

// SIGTERM ends the program without asking (quit() would ask the window, which asks the
// user about downloads under way); they are cancelled and leave nothing behind.
void quitOnTerm(QApplication &app)
{
    if (::pipe(termPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(termPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] { QApplication::exit(0); });
    std::signal(SIGTERM, onTerm);
}

} // namespace

int main(int argc, char *argv[])
{
    // What follows "--" is addresses only: Qt is never shown it, so "-reverse" there is an
    // address rather than Qt's option.
    const int qtArgc = CommandLine::optionCount(argc, argv);
    QStringList addressesAfter;
    for (int i = qtArgc + 1; i < argc; ++i)
        addressesAfter << CommandLine::argumentText(argv[i], QDir::current());

    // Help and the version need no display and no engine; they are answered first.
    QStringList given;
    for (int i = 1; i < qtArgc; ++i)
        given << CommandLine::argumentText(argv[i], QDir::current());
    const CommandLine::Request early = CommandLine::parse(given);
    if (early.action == CommandLine::Action::Help) {
        QTextStream(stdout) << CommandLine::usage();
        return 0;
    }
    if (early.action == CommandLine::Action::Version) {
        // The dictionaries found, as the browser would find them: where it looks, it asks
        // of its own program.
        int coreArgc = 1;
        const QCoreApplication core(coreArgc, argv);
        EngineProfile::findDictionaries();
        QTextStream(stdout) << CommandLine::version(EngineProfile::version())
                            << "Spelling dictionaries: "
                            << EngineProfile::dictionaries().join(u", ") << '\n';
        return 0;
    }

    // The engine's sandbox cannot run as root; it stays on unless the user turns it off.
    if (geteuid() == 0 && qEnvironmentVariable("QTWEBENGINE_DISABLE_SANDBOX") != u"1") {
        QTextStream(stderr) << "tessarvine: the web engine's sandbox cannot run as root; run "
                               "Tessarvine as an ordinary user, or set "
                               "QTWEBENGINE_DISABLE_SANDBOX=1 to run it without the sandbox.\n";
        return 1;
    }

    // Downloads are the only files a run leaves: no shader caches in the home folder.
    qputenv("QT_DISABLE_SHADER_DISK_CACHE", "1");
    qputenv("MESA_SHADER_CACHE_DISABLE", "true");

    // The engine shares its OpenGL contexts with the widgets; this must precede the app.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    int appArgc = qtArgc;
    QApplication app(appArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarvine"));
    // One name for the desktop entry, the software centre and the Wayland window.
    QApplication::setDesktopFileName(QStringLiteral("org.tessarvine.Tessarvine"));
    EngineProfile::findDictionaries();
    quitOnTerm(app);

    // Qt has taken its own options (-platform, -style, ...) out of the arguments by now.
    QStringList arguments;
    for (int i = 1; i < appArgc; ++i)
        arguments << CommandLine::argumentText(argv[i], QDir::current());
    if (!addressesAfter.isEmpty())
        arguments << QStringLiteral("--") << addressesAfter;
    const CommandLine::Request request = CommandLine::parse(arguments);
    if (request.action == CommandLine::Action::Refuse) {
        QTextStream(stderr) << request.problem << '\n' << CommandLine::usage();
        return 2;
    }
    BrowserAddresses addresses;
    if (request.sleepAfterMs)
        addresses.sleepAfterMs = *request.sleepAfterMs;
    QStringList problems;
    addresses.opening = CommandLine::addressesToOpen(request.addresses, QDir::current(), problems);
    for (const QString &problem : problems)
        QTextStream(stderr) << problem << '\n';
    // Addresses were given and none may open: nothing is left to do.
    if (!request.addresses.isEmpty() && addresses.opening.isEmpty())
        return 2;

    // The browser already running on this display takes the addresses as new tabs.
    const bool wayland = QApplication::platformName() == u"wayland";
    const QString instancePath = request.newInstance
        ? QString()
        : OneWindow::socketPath(qEnvironmentVariable("XDG_RUNTIME_DIR"),
            QApplication::platformName() + u'-'
                + qEnvironmentVariable(wayland ? "WAYLAND_DISPLAY" : "DISPLAY"));
    OneWindow::HandOver handOver = OneWindow::HandOver::NoBrowser;
    if (!instancePath.isEmpty()) {
        handOver = OneWindow::handOver(instancePath, addresses.opening, 3000);
        if (handOver == OneWindow::HandOver::Taken)
            return 0;
    }

    RenderPath::choose();
    Browser browser(addresses);
    // A browser that listens but did not answer keeps its socket; this one is on its own.
    if (handOver == OneWindow::HandOver::NoBrowser)
        browser.listen(instancePath);
    browser.form().show();
    return app.exec();
}

#include "app/program.h"

#include "app/browser.h"
#include "app/commandline.h"
#include "app/onewindow.h"
#include "app/renderpath.h"
#include "app/termination.h"
#include "filters/contentblocking.h"
#include "hosted/engineprofile.h"

#include <optional>
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTextStream>
#include <unistd.h>
#include <variant>

namespace {

// The arguments as text, from first up to (not including) last.
QStringList texts(char *argv[], int first, int last)
{
    QStringList given;
    for (int i = first; i < last; ++i)
        given << CommandLine::argumentText(argv[i], QDir::current());
    return given;
}

// The lists blocking would read, with their dates: "EasyList (2025-10-31), ...".
QString listsNamed(const QList<ContentBlocking::List> &lists)
{
    QStringList named;
    for (const ContentBlocking::List &list : lists)
        named << list.name + u" (" + list.date.date().toString(Qt::ISODate) + u')';
    return named.isEmpty() ? QStringLiteral("none") : named.join(u", ");
}

// The rules blocking reads for this run, being read from now on; none for none.
ContentBlocking::Reading startBlocking(const CommandLine::Request &request)
{
    return request.noContentBlocking
        ? ContentBlocking::Reading()
        : ContentBlocking::startReading(ContentBlocking::lists(request.filterLists));
}

// Help and the version need no display and no engine: the exit status, when asked.
std::optional<int> answerEarly(const CommandLine::Request &early, char *argv[])
{
    if (early.action == CommandLine::Action::Help) {
        QTextStream(stdout) << CommandLine::usage();
        return 0;
    }
    if (early.action != CommandLine::Action::Version)
        return std::nullopt;
    // The dictionaries found, as the browser would find them: where it looks, it asks of
    // its own program.
    int coreArgc = 1;
    const QCoreApplication core(coreArgc, argv);
    EngineProfile::findDictionaries();
    QTextStream(stdout) << CommandLine::version(EngineProfile::version())
                        << "Spelling dictionaries: " << EngineProfile::dictionaries().join(u", ")
                        << '\n'
                        << "Spelling checked in: "
                        << EngineProfile::spellingLanguage(
                               QLocale::system(), EngineProfile::dictionaries())
                               .value_or(QStringLiteral("none"))
                        << '\n'
                        << "Filter lists: " << listsNamed(ContentBlocking::lists({})) << '\n';
    return 0;
}

// The engine's sandbox cannot run as root; it stays on unless the user turns it off.
bool refusedAsRoot()
{
    if (::geteuid() != 0 || qEnvironmentVariable("QTWEBENGINE_DISABLE_SANDBOX") == u"1")
        return false;
    QTextStream(stderr) << "tessarvine: the web engine's sandbox cannot run as root; run "
                           "Tessarvine as an ordinary user, or set "
                           "QTWEBENGINE_DISABLE_SANDBOX=1 to run it without the sandbox.\n";
    return true;
}

void prepareApplication()
{
    // Downloads are the only files a run leaves: no shader caches in the home folder.
    qputenv("QT_DISABLE_SHADER_DISK_CACHE", "1");
    qputenv("MESA_SHADER_CACHE_DISABLE", "true");
    // The engine shares its OpenGL contexts with the widgets; this must precede the app.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

// The addresses to open, or the exit status when there is nothing to do.
std::variant<CommandLine::Request, int> request(QStringList arguments)
{
    const CommandLine::Request request = CommandLine::parse(arguments);
    if (request.action == CommandLine::Action::Refuse) {
        QTextStream(stderr) << request.problem << '\n' << CommandLine::usage();
        return 2;
    }
    return request;
}

// Where this display's browser listens; none for a browser of its own.
QString instancePath(bool newInstance)
{
    if (newInstance)
        return QString();
    const bool wayland = QApplication::platformName() == u"wayland";
    return OneWindow::socketPath(qEnvironmentVariable("XDG_RUNTIME_DIR"),
        QApplication::platformName() + u'-'
            + qEnvironmentVariable(wayland ? "WAYLAND_DISPLAY" : "DISPLAY"));
}

int browse(const CommandLine::Request &request, ContentBlocking::Reading blocking)
{
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
    const QString path = instancePath(request.newInstance);
    OneWindow::HandOver handOver = OneWindow::HandOver::NoBrowser;
    if (!path.isEmpty()) {
        handOver = OneWindow::handOver(path, addresses.opening, 3000);
        if (handOver == OneWindow::HandOver::Taken)
            return 0;
    }
    RenderPath::choose();
    EngineProfile::findDictionaries();
    Browser browser(addresses, std::move(blocking));
    // A browser that listens but did not answer keeps its socket; this one is on its own.
    if (handOver == OneWindow::HandOver::NoBrowser)
        browser.listen(path);
    browser.form().show();
    return QApplication::exec();
}

} // namespace

namespace Program {

int run(int argc, char *argv[])
{
    // What follows "--" is addresses only: Qt is never shown it, so "-reverse" there is an
    // address rather than Qt's option.
    const int qtArgc = CommandLine::optionCount(argc, argv);
    const QStringList addressesAfter = texts(argv, qtArgc + 1, argc);
    const CommandLine::Request early = CommandLine::parse(texts(argv, 1, qtArgc));
    if (const auto status = answerEarly(early, argv))
        return *status;
    if (refusedAsRoot())
        return 1;
    // The lists are read from the very start, beside the window's and the engine's own
    // start-up. Qt's options may still be among the arguments: a command line that is the
    // program's own alone is taken at its word now, any other once Qt has taken them out.
    std::optional<ContentBlocking::Reading> blocking;
    if (early.action == CommandLine::Action::Run)
        blocking = startBlocking(early);
    prepareApplication();
    int appArgc = qtArgc;
    QApplication app(appArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarvine"));
    // One name for the desktop entry, the software centre and the Wayland window.
    QApplication::setDesktopFileName(QStringLiteral("org.tessarvine.Tessarvine"));
    Termination::quitOnTerm(app);

    // Qt has taken its own options (-platform, -style, ...) out of the arguments by now.
    QStringList arguments = texts(argv, 1, appArgc);
    if (!addressesAfter.isEmpty())
        arguments << QStringLiteral("--") << addressesAfter;
    const auto asked = request(arguments);
    if (const int *status = std::get_if<int>(&asked))
        return *status;
    const auto &run = std::get<CommandLine::Request>(asked);
    return browse(run, blocking ? std::move(*blocking) : startBlocking(run));
}

} // namespace Program

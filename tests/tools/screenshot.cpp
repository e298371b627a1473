// Opens the real window on the real engine against a local page and saves pictures of it,
// with the warning panel hidden and shown, for a person to look at.
#include "page_events/pageevents.h"
#include "support/browsers.h"
#include "support/httpresponder.h"
#include "support/windowdriver.h"
#include "window/aboutbox.h"
#include "window/form1.h"
#include "window/tabopening.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

static void waitFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");

    HttpResponder server;
    server.page("/start/",
        "<html><head><title>Welcome to Tessarvine</title></head>"
        "<body style='font-family:sans-serif'><h1>Start page</h1>"
        "<p>A local page served for this picture.</p>"
        "<p><a href='/second'>A link</a></p></body></html>");
    {
        const auto browser = makeBrowser({ server.address("/start/"), server.url("") });
        Form1 &window = browser->form();
        PageEvents *events = &browser->events();
        const WindowDriver f(&window);
        window.show();
        waitFor(4000);
        window.opening().open();
        window.Form_Resize();
        waitFor(500);
        window.grab().save(folder + QStringLiteral("/window.png"));
        events->showWarning(ContentWarnings::titleText, ContentWarnings::adultMessage);
        waitFor(500);
        window.grab().save(folder + QStringLiteral("/window-warning.png"));
        f.press("vbf");
        waitFor(500);
        f.aboutBox()->grab().save(folder + QStringLiteral("/about.png"));
    }
    return 0;
}

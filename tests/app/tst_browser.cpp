// The browser as users start it, on the real engine: start-up loads the start page into
// tab 1.
#include "app/termination.h"
#include "support/browsers.h"
#include "support/httpresponder.h"
#include "support/windowdriver.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tabs/sourceeditor.h"
#include "window/form1.h"
#include "window/tabopening.h"

#include <csignal>
#include <QComboBox>
#include <QTest>
#include <QTimer>

namespace {
constexpr int timeout = 20000;
}

class TestBrowser : public QObject
{
    Q_OBJECT
public:
    static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

private slots:
    void startPageLoadsIntoTabOne();
    void sigtermEndsTheEventLoop();
};

// A session's end (or a user's kill) must end the program, not ask about downloads and wait.
void TestBrowser::sigtermEndsTheEventLoop()
{
    QVERIFY(Termination::quitOnTerm(*QCoreApplication::instance()));
    QTimer::singleShot(0, [] { ::raise(SIGTERM); });
    QCOMPARE(QCoreApplication::exec(), 0);
}

void TestBrowser::startPageLoadsIntoTabOne()
{
    HttpResponder server;
    server.page(
        "/start/", "<html><head><title>Start</title></head><body><h1>Hi</h1></body></html>");
    {
        const auto browser = makeBrowser({ server.address("/start/"), server.url("") });
        Form1 &form = browser->form();
        const WindowDriver f(&form);
        form.show();
        QCOMPARE(f.activeTab(), 1);
        QCOMPARE(f.highestTab(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(f.header(1)->look().caption, QStringLiteral("Start"), timeout);
        QCOMPARE(f.addressText(), server.url("/start/"));
        QCOMPARE(f.source(1)->text(), QStringLiteral("<h1>Hi</h1>"));
        QCOMPARE(f.header(1)->look().bevel, 1);
        QVERIFY(f.page(1)->isVisible());
        QVERIFY(!f.page(0)->isVisible());
        QCOMPARE(server.requested.count("/start/"), 1);

        form.opening().open();
        QCOMPARE(f.activeTab(), 2);
        QCOMPARE(f.header(2)->place().left, f.header(1)->place().left + f.header(1)->place().width);
    }
}

QTEST_MAIN(TestBrowser)
#include "tst_browser.moc"

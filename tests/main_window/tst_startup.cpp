// The real window on the real engine: start-up loads the start page into tab 1.
#include "hosted/engineprofile.h"
#include "hosted/sourceeditor.h"
#include "main_window/form1.h"
#include "page_events/pageevents.h"
#include "support/httpresponder.h"
#include "support/windowdriver.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"

#include <QComboBox>
#include <QTest>

namespace {
constexpr int timeout = 20000;
}

class TestStartup : public QObject
{
    Q_OBJECT
public:
    static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

private slots:
    void startPageLoadsIntoTabOne();
};

void TestStartup::startPageLoadsIntoTabOne()
{
    HttpResponder server;
    server.page(
        "/start/", "<html><head><title>Start</title></head><body><h1>Hi</h1></body></html>");
    EngineProfile profile;
    {
        Form1 form(profile.factory(), { server.address("/start/"), server.url("") });
        new PageEvents(form);
        const WindowDriver f(&form);
        form.show();
        QCOMPARE(f.activeTab(), 1);
        QCOMPARE(f.highestTab(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(f.header(1)->caption(), QStringLiteral("Start"), timeout);
        QCOMPARE(f.addressText(), server.url("/start/"));
        QCOMPARE(f.source(1)->text(), QStringLiteral("<h1>Hi</h1>"));
        QCOMPARE(f.header(1)->bevel(), 1);
        QVERIFY(f.page(1)->isVisible());
        QVERIFY(!f.page(0)->isVisible());
        QCOMPARE(server.requested.count("/start/"), 1);

        form.newflik_Click();
        QCOMPARE(f.activeTab(), 2);
        QCOMPARE(f.header(2)->Left(), f.header(1)->Left() + f.header(1)->Width());
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

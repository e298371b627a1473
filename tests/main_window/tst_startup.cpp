// The real window on the real engine: start-up loads the start page into tab 1.
#include "hosted/engineprofile.h"
#include "hosted/sourceeditor.h"
#include "main_window/form1.h"
#include "support/httpresponder.h"
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
        form.show();
        QCOMPARE(form.current, 1.0f);
        QCOMPARE(form.flik.ubound(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(
            form.flik(1)->StatusBar1->panelText(), QStringLiteral("Start"), timeout);
        QCOMPARE(form.address->currentText(), server.url("/start/"));
        QCOMPARE(form.Codetext(1)->text(), QStringLiteral("<h1>Hi</h1>"));
        QCOMPARE(form.flik(1)->StatusBar1->bevel(), 1);
        QVERIFY(form.WebBrowser(1)->isVisible());
        QVERIFY(!form.WebBrowser(0)->isVisible());
        QCOMPARE(server.requested.count("/start/"), 1);

        form.newflik_Click();
        QCOMPARE(form.current, 2.0f);
        QCOMPARE(form.flik(2)->Left(), form.flik(1)->Left() + form.flik(1)->Width());
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

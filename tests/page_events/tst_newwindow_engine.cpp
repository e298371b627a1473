// Pop-ups, navigation errors and closing tabs on the real engine, against a local server.
#include "hosted/engineprofile.h"
#include "hosted/webenginepageview.h"
#include "support/enginetest.h"
#include "support/httpresponder.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "window/form1.h"
#include "window/warningpanel.h"

#include <QRandomGenerator>
#include <QTcpServer>
#include <QTest>
#include <QWebEnginePage>

class TestNewWindowEngine : public EngineTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void popupsOpenAsTabs_data();
    void popupsOpenAsTabs();
    void onlyAPopupClosesItself();
    void popupLoopIsBoundedAndTheWindowResponds();
    void closingInEveryOrderLeavesAWorkingBrowser();

private:
    int liveViews() const { return viewArea()->findChildren<PageView *>().size(); }
};

void TestNewWindowEngine::init()
{
    QVERIFY(openWindow());
    m_server->page("/popup", "<html><head><title>Popup</title></head><body>pop</body></html>");
}

void TestNewWindowEngine::cleanup()
{
    closeWindow();
}

void TestNewWindowEngine::popupsOpenAsTabs_data()
{
    QTest::addColumn<QByteArray>("opener");
    QTest::newRow("script") << QByteArray("<script>window.open('/popup')</script>");
    QTest::newRow("link") << QByteArray("<a id=a href='/popup' target=_blank>x</a>"
                                        "<script>document.getElementById('a').click()</script>");
}

void TestNewWindowEngine::popupsOpenAsTabs()
{
    QFETCH(QByteArray, opener);
    m_server->page(
        "/opener", "<html><head><title>Opener</title></head><body>" + opener + "</body></html>");
    go(m_server->url("/opener"));
    QTRY_VERIFY_WITH_TIMEOUT(header(2) && caption(2) == "Popup", timeout);
    QCOMPARE(activeTab(), 2);
    QCOMPARE(page(2)->LocationURL(), m_server->url("/popup"));
    QCOMPARE(header(2)->place().left, header(1)->place().left + header(1)->place().width);
    QCOMPARE(page(1)->LocationName(), QStringLiteral("Opener"));
}

void TestNewWindowEngine::onlyAPopupClosesItself()
{
    // A sign-in pop-up closes itself when it is done; a tab the user opened stays.
    m_server->page("/closing",
        "<html><head><title>Closing</title></head><body>"
        "<script>setTimeout(() => window.close(), 200)</script></body></html>");
    m_server->page("/opener",
        "<html><head><title>Opener</title></head><body>"
        "<script>window.open('/closing')</script></body></html>");
    go(m_server->url("/opener"));
    QTRY_COMPARE_WITH_TIMEOUT(caption(2), QStringLiteral("Closing"), timeout);
    QTRY_VERIFY_WITH_TIMEOUT(!header(2), timeout);
    QCOMPARE(activeTab(), 1);
    go(m_server->url("/closing"));
    QTRY_COMPARE_WITH_TIMEOUT(caption(1), QStringLiteral("Closing"), timeout);
    QTest::qWait(500); // the page's close would come within this while
    QVERIFY(header(1));
}

void TestNewWindowEngine::popupLoopIsBoundedAndTheWindowResponds()
{
    go(serveFlood("window.open('/popup'); document.title = 'Flood ' + n;"));
    QTRY_VERIFY_WITH_TIMEOUT(warningShown(), timeout);
    checkWindowAnswers();
    QVERIFY(highestTab() < 20);
    go(m_server->url("/start/"));
}

void TestNewWindowEngine::closingInEveryOrderLeavesAWorkingBrowser()
{
    QRandomGenerator random(20261208);
    for (int round = 0; round < 6; ++round) {
        while (highestTab() < 4) {
            openTab();
            go(m_server->url("/popup"));
        }
        QList<int> open = openTabs();
        // Close all but one in a random order, each after its page loaded or not.
        while (open.size() > (round % 2 ? 0 : 1)) {
            const int index = open.takeAt(random.bounded(int(open.size())));
            clickClose(index);
            QTest::qWait(random.bounded(50)); // closings at a person's uneven pace
        }
        QTest::qWait(100); // the engine's own posted work runs in between
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(liveViews(), 1 + int(open.size()));
        if (open.isEmpty())
            openTab();
        go(m_server->url("/start/"));
        const int active = activeTab();
        QVERIFY(active >= 1);
        // The tab works when it has completed the page: its caption is then the page's
        // own title, however late the engine learns it.
        QTRY_COMPARE_WITH_TIMEOUT(caption(active), QStringLiteral("Start"), timeout);
    }
}

QTEST_MAIN(TestNewWindowEngine)
#include "tst_newwindow_engine.moc"

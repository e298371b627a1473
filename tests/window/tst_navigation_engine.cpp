// The navigation bar on the real engine against a local server.
#include "hosted/engineprofile.h"
#include "hosted/webenginepageview.h"
#include "support/enginetest.h"
#include "support/httpresponder.h"
#include "support/input.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "window/form1.h"

#include <QApplication>
#include <QComboBox>
#include <QHostAddress>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

class TestNavigationEngine : public EngineTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typedAddressLoads();
    void backAndForwardMoveThroughHistory();
    void stopEndsASlowLoad();
    void zoomReachesOnlyTheActivePage();
    void onlyTheActiveTabsPageIsDrawn();

private:
    void type(const QString &text);
};

void TestNavigationEngine::init()
{
    QVERIFY(openWindow());
    m_server->page("/one", "<html><head><title>One</title></head><body>one</body></html>");
    m_server->page("/two", "<html><head><title>Two</title></head><body>two</body></html>");
}

void TestNavigationEngine::cleanup()
{
    closeWindow();
}

void TestNavigationEngine::type(const QString &text)
{
    QVERIFY(Input::clickFocus(addressBox()));
    Input::key(Qt::Key_A, Qt::ControlModifier);
    Input::type(text);
    Input::key(Qt::Key_Return);
}

void TestNavigationEngine::typedAddressLoads()
{
    // After a load no server answered, the next page names the tab, not the failed address.
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const QString nowhere = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
    closed.close();
    type(nowhere);
    QTRY_COMPARE_WITH_TIMEOUT(header(1)->look().caption, nowhere, timeout);
    type(m_server->address("/one"));
    QTRY_COMPARE_WITH_TIMEOUT(header(1)->look().caption, QStringLiteral("One"), timeout);
    QCOMPARE(page(1)->LocationURL(), m_server->url("/one"));
    QCOMPARE(addressText(), m_server->url("/one"));

    // Then a click into the page, and the page moves to another site whose picture never
    // comes: the box names that page while it still loads.
    QVERIFY(m_server->listenAlso(QHostAddress(QStringLiteral("127.0.0.2"))));
    const QString other = m_server->url("/never").replace("127.0.0.1", "127.0.0.2");
    m_server->route("/slow.png", { 200, "image/png", "", 60000, {} });
    m_server->page("/never", "<html><body><img src='/slow.png'></body></html>");
    QVERIFY(Input::clickFocus(view(1)->engineView()->focusProxy()));
    evaluate(view(1), "location.href = '" + other + "'");
    QTRY_COMPARE_WITH_TIMEOUT(addressText(), other, timeout);
    QVERIFY(page(1)->isLoading());
}

void TestNavigationEngine::backAndForwardMoveThroughHistory()
{
    type(m_server->url("/one"));
    QTRY_COMPARE_WITH_TIMEOUT(page(1)->LocationName(), QStringLiteral("One"), timeout);
    type(m_server->url("/two"));
    QTRY_COMPARE_WITH_TIMEOUT(page(1)->LocationName(), QStringLiteral("Two"), timeout);
    press("back");
    QTRY_COMPARE_WITH_TIMEOUT(page(1)->LocationName(), QStringLiteral("One"), timeout);
    press("back");
    QTRY_COMPARE_WITH_TIMEOUT(page(1)->LocationName(), QStringLiteral("Start"), timeout);
    press("forward");
    QTRY_COMPARE_WITH_TIMEOUT(page(1)->LocationName(), QStringLiteral("One"), timeout);
    // A new tab has no history: both are silent.
    openTab();
    QSignalSpy errors(view(2), &PageView::NavigateError);
    press("back");
    press("forward");
    QTest::qWait(200); // proving that an empty history reports no error
    QCOMPARE(errors.size(), 0);
    QCOMPARE(page(2)->LocationURL(), QString());
}

void TestNavigationEngine::stopEndsASlowLoad()
{
    m_server->route("/slow", { 200, "text/html", "<html><body>slow</body></html>", 15000, {} });
    QSignalSpy complete(view(1), &PageView::DocumentComplete);
    QSignalSpy ended(view(1), &PageView::DownloadComplete);
    type(m_server->url("/slow"));
    QTRY_VERIFY_WITH_TIMEOUT(m_server->requested.contains("/slow"), timeout);
    press("stop");
    // Ended by the stop, not by the answer: the server has not answered yet.
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, timeout);
    QVERIFY(!page(1)->isLoading());
    QCOMPARE(complete.size(), 0);
    QCOMPARE(page(1)->LocationName(), QStringLiteral("Start"));
}

void TestNavigationEngine::zoomReachesOnlyTheActivePage()
{
    openTab();
    type(m_server->url("/one"));
    QTRY_COMPARE_WITH_TIMEOUT(page(2)->LocationName(), QStringLiteral("One"), timeout);
    chooseZoom(5);
    QCOMPARE(view(2)->enginePage()->zoomFactor(), 1.5);
    QCOMPARE(view(1)->enginePage()->zoomFactor(), 1.0);
    // The page itself is laid out at the new zoom. The engine keeps zoom per host by
    // default; the other tab, on the same host, keeps its own.
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(view(2), "window.devicePixelRatio"), QVariant(1.5), timeout);
    QCOMPARE(evaluate(view(1), "window.devicePixelRatio"), QVariant(1.0));
}

void TestNavigationEngine::onlyTheActiveTabsPageIsDrawn()
{
    // Covered pages rest as hidden tabs do; the page in sight is the active tab's.
    openTab();
    type(m_server->url("/one"));
    QTRY_COMPARE_WITH_TIMEOUT(page(2)->LocationName(), QStringLiteral("One"), timeout);
    QVERIFY(view(2)->engineView()->isVisible());
    QVERIFY(!view(1)->engineView()->isVisible());
    // With the keyboard in page 2, a press on tab 1's face shows tab 1; the keyboard goes
    // with it, and that activates nothing else.
    QWidget *page = view(2)->engineView();
    QVERIFY(Input::clickFocus(page->childAt(page->rect().center())));
    QTest::mousePress(headerPart<HeaderFace>(1, "StatusBar1"), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(activeTab(), 1);
    QCOMPARE(previousTab(), 2);
    QVERIFY(view(1)->engineView()->isVisible());
    QVERIFY(!view(2)->engineView()->isVisible());
    QVERIFY(view(1)->isAncestorOf(QApplication::focusWidget()));
    QTest::qWait(200); // a late focus event would activate tab 2 again within this while
    QCOMPARE(activeTab(), 1);
    // The covered page is still there, whole, when it comes back.
    header(2)->sellect();
    QVERIFY(view(2)->engineView()->isVisible());
    QCOMPARE(evaluate(view(2), "document.title"), QVariant(QStringLiteral("One")));
}

QTEST_MAIN(TestNavigationEngine)
#include "tst_navigation_engine.moc"

// The page view on the real engine against a local server: the windows its pages ask for,
// its rest, and the engine's wait on a dialog.
#include "hosted/documentcompletion.h"
#include "hosted/engineprofile.h"
#include "hosted/enginewait.h"
#include "hosted/webenginepageview.h"
#include "support/httpresponder.h"
#include "support/pageviewtest.h"
#include "tabs/scriptdialog.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <sys/stat.h>

class TestPageViewWindows : public PageViewTest
{
    Q_OBJECT
private slots:
    void init() { start(); }
    void cleanup() { stop(); }
    void newWindowRequestsReachTheHost_data();
    void newWindowRequestsReachTheHost();
    void refusedNewWindowOpensNothing();
    void aPageTypedIntoNeverSleeps();
    void loadAskedBeforeShowingStartsWhenShown();
    void noCompletionWhileADialogWaits();
};

void TestPageViewWindows::newWindowRequestsReachTheHost_data()
{
    QTest::addColumn<QByteArray>("opener");
    QTest::newRow("script") << QByteArray("<script>window.open('/popup')</script>");
    QTest::newRow("link") << QByteArray("<a id=a href='/popup' target=_blank>x</a>"
                                        "<script>document.getElementById('a').click()</script>");
}

void TestPageViewWindows::newWindowRequestsReachTheHost()
{
    QFETCH(QByteArray, opener);
    m_server->page("/opener", "<html><body>" + opener + "</body></html>");
    m_server->page("/popup", "<html><head><title>Popup</title></head><body>pop</body></html>");
    PageView *view = makeView();
    PageView *target = makeView();
    int requests = 0;
    view->hooks().setNewWindowHandler([&](NewWindowRequest) {
        ++requests;
        NewWindowRequest request;
        request.ppDisp = target;
        return request;
    });
    QSignalSpy targetComplete(target, &PageView::DocumentComplete);
    view->Navigate(m_server->url("/opener"));
    QTRY_COMPARE_WITH_TIMEOUT(targetComplete.size(), 1, timeout);
    QCOMPARE(requests, 1);
    QCOMPARE(target->LocationURL(), m_server->url("/popup"));
    QCOMPARE(target->LocationName(), QStringLiteral("Popup"));
    QCOMPARE(view->LocationURL(), m_server->url("/opener"));
}

void TestPageViewWindows::refusedNewWindowOpensNothing()
{
    m_server->page("/opener", "<html><body><script>window.open('/popup')</script></body></html>");
    PageView *view = makeView();
    int requests = 0;
    view->hooks().setNewWindowHandler([&](NewWindowRequest) {
        ++requests;
        NewWindowRequest request;
        request.ppDisp = view; // never loads into the requesting view
        return request;
    });
    QSignalSpy complete(view, &PageView::DocumentComplete);
    view->Navigate(m_server->url("/opener"));
    QTRY_VERIFY_WITH_TIMEOUT(requests == 1 && complete.size() == 1, timeout);
    QTest::qWait(300); // proving that the pop-up is never asked for
    QCOMPARE(view->LocationURL(), m_server->url("/opener"));
    QVERIFY(!m_server->requested.contains("/popup"));
}

void TestPageViewWindows::aPageTypedIntoNeverSleeps()
{
    // A form may hold what the user gave it, typed or composed with an input method: that
    // page is frozen at most, never let go; a download from it leaves its document in place.
    m_server->page("/form", "<html><body><input autofocus></body></html>");
    m_server->route("/file",
        { 200, "application/octet-stream", "data", 0,
            { { "Content-Disposition", "attachment; filename=\"f.bin\"" } } });
    PageView *typed = makeView();
    PageView *composed = makeView();
    PageView *untouched = makeView();
    for (PageView *view : { typed, composed, untouched }) {
        view->setInFront(true);
        QSignalSpy done(view, &PageView::DocumentComplete);
        view->Navigate(m_server->url("/form"));
        QTRY_COMPARE_WITH_TIMEOUT(done.size(), 1, timeout);
    }
    QTest::keyClicks(engine(typed)->engineView()->focusProxy(), "secret");
    QSignalSpy downloaded(typed, &PageView::DownloadComplete);
    typed->Navigate(m_server->url("/file"));
    QTRY_VERIFY_WITH_TIMEOUT(!downloaded.isEmpty(), timeout);
    QInputMethodEvent composing;
    composing.setCommitString(QStringLiteral("秘密"));
    QApplication::sendEvent(engine(composed)->engineView()->focusProxy(), &composing);
    // The engine lets a page rest a step at a time: frozen first, then let go.
    for (PageView *view : { typed, composed, untouched }) {
        view->setInFront(false);
        view->rest(PageView::Rest::Asleep);
    }
    // Not while its download runs; then frozen at most.
    QTRY_COMPARE_WITH_TIMEOUT(typed->rest(PageView::Rest::Asleep), PageView::Rest::Frozen, timeout);
    QCOMPARE(composed->rest(PageView::Rest::Asleep), PageView::Rest::Frozen);
    QCOMPARE(untouched->rest(PageView::Rest::Asleep), PageView::Rest::Asleep);
}

void TestPageViewWindows::loadAskedBeforeShowingStartsWhenShown()
{
    m_server->page("/early", "<html><head><title>Early</title></head><body>e</body></html>");
    PageView *view = m_profile->factory()(nullptr);
    m_views << view;
    QSignalSpy complete(view, &PageView::DocumentComplete);
    view->Navigate(m_server->url("/early"));
    QTest::qWait(300); // proving that nothing loads before the window shows
    QVERIFY(m_server->requested.isEmpty());
    view->show();
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, timeout);
    QCOMPARE(view->LocationName(), QStringLiteral("Early"));
}

void TestPageViewWindows::noCompletionWhileADialogWaits()
{
    // A page that does not answer completes after a patience; never while a dialog waits,
    // when no page can answer: its tab would take the front and end that dialog. A page
    // whose script keeps its renderer busy is one that does not answer.
    m_server->page("/busy",
        "<html><body><script>onload = () => setTimeout(() => { for (;;) {} }, 0)</script>"
        "</body></html>");
    QWebEnginePage page(m_profile->profile());
    QSignalSpy loaded(&page, &QWebEnginePage::loadFinished);
    page.load(QUrl(m_server->url("/busy")));
    QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 1, timeout);
    QTest::qWait(500); // the page's loop starts within this while; nothing tells when
    EngineWait engine;
    DocumentCompletion completion(engine, nullptr);
    completion.forgetAnswers(); // as a load starts
    QSignalSpy completed(&completion, &DocumentCompletion::completed);
    QWidget host;
    ScriptDialog dialog(ScriptDialog::Kind::Alert, QString(), "waiting", QString(), &host);
    QTimer::singleShot(0, &completion, [&] { completion.loadSucceeded(&page); });
    qsizetype whileWaiting = -1;
    // Nothing can be seen to wait on: twice the patience passes with the dialog open.
    QTimer::singleShot(2 * DocumentCompletion::patienceMs, &dialog, [&] {
        whileWaiting = completed.size();
        dialog.abandon();
    });
    {
        const EngineWait::Question onScreen(engine);
        dialog.exec(false);
    }
    QCOMPARE(whileWaiting, 0);
    QTRY_COMPARE_WITH_TIMEOUT(completed.size(), 1, timeout);
}

QTEST_MAIN(TestPageViewWindows)
#include "tst_pageviewwindows.moc"

// The page view on the real engine against a local server: what the window's handlers
// rely on arrives, in a sensible order.
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

class TestWebEnginePageView : public PageViewTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pageLoadRaisesEventsInOrder();
    void addressWithoutSchemeIsResolved();
    void emptyAndInvalidAddresses();
    void failedLoadsRaiseNavigateError_data();
    void failedLoadsRaiseNavigateError();
    void historyMovesAreSilentWithoutHistory();
    void zoomLevelsSetThePageZoom();
    void freshBodyReadFollowsThePage();
    void focusIsReportedOnce();
    void titlesAreOnlyThePagesOwn();
};

void TestWebEnginePageView::init()
{
    start();
}

void TestWebEnginePageView::cleanup()
{
    stop();
}

void TestWebEnginePageView::pageLoadRaisesEventsInOrder()
{
    m_server->page("/page",
        "<html><head><title>First page</title></head>"
        "<body><p id=x>Hello <b>there</b></p></body></html>");
    PageView *view = makeView();
    QStringList events;
    QList<QPair<int, int>> progress;
    connect(view, &PageView::StatusTextChange, this,
        [&](const QString &t) { events << "status:" + t; });
    connect(view, &PageView::ProgressChange, this, [&](int p, int max) {
        progress << qMakePair(p, max);
        if (max == 0)
            events << "progress-end";
    });
    connect(view, &PageView::TitleChange, this, [&](const QString &t) { events << "title:" + t; });
    connect(view, &PageView::DownloadComplete, this, [&] { events << "download-complete"; });
    connect(view, &PageView::SetSecureLockIcon, this,
        [&](int l) { events << "lock:" + QString::number(l); });
    connect(view, &PageView::DocumentComplete, this, [&](const QString &u) {
        events << "complete:" + u;
        // The handler reads the finished page synchronously.
        QCOMPARE(view->LocationURL(), m_server->url("/page"));
        QCOMPARE(view->LocationName(), QStringLiteral("First page"));
        QCOMPARE(view->bodyInnerHtml().value_or("none"),
            QStringLiteral("<p id=\"x\">Hello <b>there</b></p>"));
    });
    QCOMPARE(view->LocationURL(), QString());
    QCOMPARE(view->LocationName(), QString());

    view->Navigate(m_server->url("/page"));
    QTRY_VERIFY_WITH_TIMEOUT(events.contains("progress-end"), timeout);

    // The address is told with the first progress report, which a load quicker than one
    // report never makes; never once the load is done. Nothing clears the status bar
    // before it: no link was hovered.
    const int started = events.indexOf("status:" + m_server->url("/page"));
    QVERIFY2(started < events.indexOf("status:Done"), qPrintable(events.join(" | ")));
    QVERIFY2(!events.contains("status:"), qPrintable(events.join(" | ")));
    const int title = events.indexOf("title:First page");
    const int complete = events.indexOf("complete:" + m_server->url("/page"));
    QVERIFY2(title >= 0 && complete > title, qPrintable(events.join(" | ")));
    QVERIFY(events.indexOf("lock:0") >= 0 && events.indexOf("lock:0") < complete);
    // The navigation's download completes before its document, so that what completion
    // puts into the status bar (the lock picture) is not cleared again at once.
    const int downloaded = events.indexOf("download-complete");
    QVERIFY2(downloaded >= 0 && downloaded < complete, qPrintable(events.join(" | ")));
    QCOMPARE(events.count("download-complete"), 1);
    QCOMPARE(progress.last(), qMakePair(0, 0));
}

void TestWebEnginePageView::addressWithoutSchemeIsResolved()
{
    m_server->page("/start/", "<html><body>start</body></html>");
    PageView *view = makeView();
    QSignalSpy complete(view, &PageView::DocumentComplete);
    view->Navigate(m_server->address("/start/"));
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, timeout);
    QCOMPARE(view->LocationURL(), m_server->url("/start/"));
    QCOMPARE(m_server->requested.first(), QByteArray("/start/"));
}

void TestWebEnginePageView::emptyAndInvalidAddresses()
{
    PageView *view = makeView();
    QSignalSpy errors(view, &PageView::NavigateError);
    QSignalSpy status(view, &PageView::StatusTextChange);
    view->Navigate(QString());
    QTest::qWait(200); // proving that an empty address reports nothing
    QCOMPARE(errors.size(), 0);
    QCOMPARE(status.size(), 0);
    // Nothing a user can type becomes a page; it ends as an error of this view, later.
    view->Navigate("[");
    QCOMPARE(errors.size(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(errors.size(), 1, timeout);
    QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("["));
    QCOMPARE(view->LocationURL(), QString());
    // A FIFO named as a file is read for ever by the engine: refused, with a word.
    QTemporaryDir folder;
    const QString fifo = folder.filePath("fifo");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    view->Navigate(fifo);
    QTRY_COMPARE_WITH_TIMEOUT(errors.size(), 2, timeout);
    QCOMPARE(status.last().at(0).toString(), QStringLiteral("Only files and folders are opened"));
    QVERIFY(!view->isLoading());
    // Named by a local page's frame, it is refused too: the page completes, and no worker
    // of the engine waits on it, which would hold the program's end.
    QFile page(folder.filePath("page.html"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><head><title>Framed</title></head><body><iframe src='fifo'></iframe>");
    page.close();
    QSignalSpy complete(view, &PageView::DocumentComplete);
    view->Navigate(page.fileName());
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, timeout);
    QCOMPARE(view->LocationName(), QStringLiteral("Framed"));
}

void TestWebEnginePageView::failedLoadsRaiseNavigateError_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<int>("code");
    // A server's error answer is a page shown, named by its address when it has no title;
    // a load no server answered ends the same way, rather than loading for good.
    QTest::newRow("not found") << "/missing" << false << 404;
    QTest::newRow("server error") << "/broken" << false << 500;
    QTest::newRow("connection refused") << "/" << true << -102;
}

void TestWebEnginePageView::failedLoadsRaiseNavigateError()
{
    QFETCH(QString, path);
    QFETCH(bool, refused);
    QFETCH(int, code);
    m_server->route("/broken", { 500, "text/html", "<html><body>oops</body></html>", 0, {} });
    QString url = m_server->url(path.toLatin1());
    if (refused) {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost);
        url = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
    }
    PageView *view = makeView();
    QSignalSpy errors(view, &PageView::NavigateError);
    QSignalSpy ends(view, &PageView::DownloadComplete);
    QSignalSpy completions(view, &PageView::DocumentComplete);
    view->Navigate(url);
    QTRY_COMPARE_WITH_TIMEOUT(errors.size(), 1, timeout);
    QCOMPARE(errors.at(0).at(1).toInt(), code);
    QTRY_COMPARE_WITH_TIMEOUT(completions.size(), 1, timeout);
    QCOMPARE(ends.size(), 1);
    QCOMPARE(view->LocationName(), url);
    QVERIFY(!view->isLoading());
}

void TestWebEnginePageView::historyMovesAreSilentWithoutHistory()
{
    PageView *view = makeView();
    QSignalSpy status(view, &PageView::StatusTextChange);
    QSignalSpy errors(view, &PageView::NavigateError);
    view->GoBack();
    view->GoForward();
    view->Stop();
    QTest::qWait(300); // proving that a view with nothing loaded reports nothing
    QCOMPARE(status.size(), 0);
    QCOMPARE(errors.size(), 0);
}

void TestWebEnginePageView::zoomLevelsSetThePageZoom()
{
    m_server->page("/z", "<html><body>zoom</body></html>");
    PageView *view = makeView();
    QSignalSpy complete(view, &PageView::DocumentComplete);
    view->Navigate(m_server->url("/z"));
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, timeout);
    view->pageActions().setZoomLevel(4);
    QCOMPARE(engine(view)->enginePage()->zoomFactor(), 1.5);
    view->pageActions().setZoomLevel(0);
    QCOMPARE(engine(view)->enginePage()->zoomFactor(), 0.25);
    view->pageActions().setZoomLevel(9);
    QCOMPARE(engine(view)->enginePage()->zoomFactor(), 0.25);
}

void TestWebEnginePageView::freshBodyReadFollowsThePage()
{
    m_server->page("/a",
        "<html><body><p>first</p><script>document.body.insertAdjacentHTML('beforeend','<i>late</"
        "i>')</script></body></html>");
    PageView *view = makeView();
    QSignalSpy complete(view, &PageView::DocumentComplete);
    view->Navigate(m_server->url("/a"));
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, timeout);
    QString markup;
    QObject context;
    view->requestBodyInnerHtml(&context, [&](const QString &m) { markup = m; });
    QTRY_VERIFY_WITH_TIMEOUT(!markup.isEmpty(), timeout);
    QVERIFY(markup.startsWith("<p>first</p>"));
    QVERIFY(markup.endsWith("<i>late</i>"));
}

void TestWebEnginePageView::focusIsReportedOnce()
{
    m_server->page("/f", "<html><body><input id=i></body></html>");
    // The view and another field in one window, so that focus can move between them. The
    // window owns the view; the test's list does not, so a failure cannot delete it twice.
    auto *window = new QWidget;
    m_views << window;
    auto *layout = new QVBoxLayout(window);
    auto *field = new QLineEdit(window);
    PageView *view = m_profile->factory()(window);
    layout->addWidget(field);
    layout->addWidget(view);
    window->resize(640, 480);
    window->show();
    QSignalSpy complete(view, &PageView::DocumentComplete);
    view->Navigate(m_server->url("/f"));
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, timeout);
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());
    QSignalSpy focus(view, &PageView::GotFocus);
    view->setFocus();
    QTRY_COMPARE_WITH_TIMEOUT(focus.size(), 1, timeout);
    // Focus moving inside the page's own widgets is not a new focus of the view.
    engine(view)->engineView()->setFocus();
    QTest::qWait(100); // proving that the move inside the page is not reported
    QCOMPARE(focus.size(), 1);
    field->setFocus();
    view->setFocus();
    QTRY_COMPARE_WITH_TIMEOUT(focus.size(), 2, timeout);
}

void TestWebEnginePageView::titlesAreOnlyThePagesOwn()
{
    // Before a page has a title the engine reports its address as one; a keyword in the
    // address must not reach the title rules that way.
    m_server->page("/virus-news", "<html><body>no title here</body></html>");
    m_server->page("/titled", "<html><head><title>Own title</title></head><body>t</body></html>");
    PageView *view = makeView();
    QSignalSpy titles(view, &PageView::TitleChange);
    QSignalSpy complete(view, &PageView::DocumentComplete);
    view->Navigate(m_server->url("/virus-news"));
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, timeout);
    QTest::qWait(200); // proving that the stand-in title is never told
    QCOMPARE(titles.size(), 0);
    // The tab still has a name to show: its address.
    QVERIFY(view->LocationName().contains("virus-news"));
    view->Navigate(m_server->url("/titled"));
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 2, timeout);
    QCOMPARE(titles.size(), 1);
    QCOMPARE(titles.at(0).at(0).toString(), QStringLiteral("Own title"));
}

QTEST_MAIN(TestWebEnginePageView)
#include "tst_webenginepageview.moc"

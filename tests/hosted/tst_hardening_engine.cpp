// Hostile pages, a dying renderer and bad input on the real engine: the browser goes on
// and every tab stays usable.
#include "hosted/engineprofile.h"
#include "hosted/webenginepageview.h"
#include "support/enginetest.h"
#include "support/httpresponder.h"
#include "support/input.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tab_header/progressbox.h"
#include "tabs/sourceeditor.h"
#include "window/form1.h"
#include "window/mainstatusbar.h"
#include "window/warningpanel.h"

#include <csignal>
#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>

class TestHardeningEngine : public EngineTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dyingRendererLeavesTheTabUsable();
    void badAddresses_data();
    void badAddresses();
    void typedScriptNeverRuns();
    void localFilesLoad();
    void floodingPageLeavesTheWindowResponsive();
    void busyPageStillCompletes();

private:
    void type(const QString &text)
    {
        QVERIFY(Input::clickFocus(addressBox()));
        // Pasting a megabyte key by key would take minutes; the box holds what a paste puts.
        addressBox()->setEditText(text);
        Input::key(Qt::Key_Return);
    }
    QVariant evaluate(int index, const QString &script)
    {
        return EngineTest::evaluate(view(index), script);
    }
};

void TestHardeningEngine::init()
{
    QVERIFY(openWindow());
    m_server->page("/other", "<html><head><title>Other</title></head><body>other</body></html>");
}

void TestHardeningEngine::cleanup()
{
    closeWindow();
}

void TestHardeningEngine::dyingRendererLeavesTheTabUsable()
{
    // Another site, so that the second tab has a renderer of its own.
    openTab();
    page(2)->Navigate(QStringLiteral("http://localhost:%1/other").arg(m_server->serverPort()));
    QTRY_COMPARE_WITH_TIMEOUT(caption(2), QStringLiteral("Other"), timeout);
    header(1)->sellect();
    type(m_server->url("/other"));
    QTRY_COMPARE_WITH_TIMEOUT(caption(1), QStringLiteral("Other"), timeout);
    const qint64 victim = view(1)->enginePage()->renderProcessPid();
    QVERIFY(victim > 0);
    QVERIFY(victim != view(2)->enginePage()->renderProcessPid());

    ::kill(pid_t(victim), SIGKILL);
    QTRY_VERIFY_WITH_TIMEOUT(warningShown(), timeout);
    QCOMPARE(warningTitle(), QStringLiteral("An error accured"));
    QCOMPARE(statusText(), QStringLiteral("The page stopped working"));
    // The other tab is untouched.
    QCOMPARE(evaluate(2, "document.title").toString(), QStringLiteral("Other"));
    // Nothing reloads by itself; going back brings the earlier page, in a new renderer.
    header(1)->sellect();
    QTest::qWait(500); // proving that the dead page does not reload by itself
    QCOMPARE(view(1)->enginePage()->renderProcessPid(), 0);
    press("back");
    QTRY_COMPARE_WITH_TIMEOUT(
        evaluate(1, "document.body.textContent").toString(), QStringLiteral("start"), timeout);
    QTRY_COMPARE_WITH_TIMEOUT(caption(1), QStringLiteral("Start"), timeout);
    // Killed again, typing an address there loads it.
    ::kill(pid_t(view(1)->enginePage()->renderProcessPid()), SIGKILL);
    QTRY_COMPARE_WITH_TIMEOUT(view(1)->enginePage()->renderProcessPid(), 0, timeout);
    type(m_server->url("/other"));
    QTRY_COMPARE_WITH_TIMEOUT(
        evaluate(1, "document.body.textContent").toString(), QStringLiteral("other"), timeout);
    QCOMPARE(highestTab(), 2);
}

void TestHardeningEngine::badAddresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("error");
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("control characters") << QStringLiteral("\x01\x02\x1b[0m") << true;
    QTest::newRow("unparseable") << QStringLiteral("[") << true;
    QTest::newRow("lone scheme") << QStringLiteral("http:") << true;
    QTest::newRow("lone scheme and slashes") << QStringLiteral("http://") << true;
    // More than the box holds: refused with a word in the status bar, never cut and loaded.
    QTest::newRow("a megabyte") << QString(1 << 20, u'a') << false;
}

void TestHardeningEngine::badAddresses()
{
    QFETCH(QString, text);
    QFETCH(bool, error);
    QSignalSpy errors(view(1), &PageView::NavigateError);
    QSignalSpy completions(view(1), &PageView::DocumentComplete);
    addressBox()->setEditText(text);
    enterAddress();
    if (error)
        QTRY_COMPARE_WITH_TIMEOUT(errors.size(), 1, timeout);
    else
        QTest::qWait(300); // proving that nothing loads from what was pasted
    // Not hung on what was pasted: the window still answers a script of the page's.
    QCOMPARE(evaluate(1, "1 + 1").toInt(), 2);
    QCOMPARE(completions.size(), 0);
    // The tab keeps what it showed, and nothing else changed.
    QCOMPARE(highestTab(), 1);
    QCOMPARE(caption(1), QStringLiteral("Start"));
    QCOMPARE(evaluate(1, "document.title").toString(), QStringLiteral("Start"));
}

void TestHardeningEngine::typedScriptNeverRuns()
{
    QSignalSpy errors(view(1), &PageView::NavigateError);
    type("javascript:document.title='ran'");
    QTRY_COMPARE_WITH_TIMEOUT(errors.size(), 1, timeout);
    QCOMPARE(evaluate(1, "document.title").toString(), QStringLiteral("Start"));
    // Nor in a page opened afterwards.
    type(m_server->url("/other"));
    QTRY_COMPARE_WITH_TIMEOUT(caption(1), QStringLiteral("Other"), timeout);
    QTest::qWait(200); // proving that nothing of the pasted text runs late in the new page
    QCOMPARE(evaluate(1, "document.title").toString(), QStringLiteral("Other"));
}

void TestHardeningEngine::localFilesLoad()
{
    QTemporaryDir folder;
    QFile page(folder.filePath("local.html"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><head><title>Local</title></head><body><p>on disk</p></body></html>");
    page.close();
    type(QUrl::fromLocalFile(page.fileName()).toString());
    QTRY_COMPARE_WITH_TIMEOUT(caption(1), QStringLiteral("Local"), timeout);
    QCOMPARE(source(1)->text(), QStringLiteral("<p>on disk</p>"));
    // A local page (a saved one, a download opened) shows the web's images, and reads no
    // other local file: not by fetch, nor XMLHttpRequest, nor through a frame's document.
    QFile secret(folder.filePath("secret.txt"));
    QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write("secret") == 6);
    secret.close();
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
    m_server->route("/pic.png", { 200, "image/png", png, 0, {} });
    QFile reach(folder.filePath("reach.html"));
    QVERIFY(reach.open(QIODevice::WriteOnly));
    reach.write("<html><body><img src='" + m_server->url("/pic.png").toUtf8()
        + "'><iframe src='secret.txt'></iframe><script>"
          "const tell = (how, text) => how + (text && text.includes('secret') ? ' read' "
          "  : ' refused');"
          "addEventListener('load', async () => { const said = [];"
          "  try { said.push(tell('fetch', await (await fetch('secret.txt')).text())); }"
          "  catch (e) { said.push('fetch refused'); }"
          "  try { const x = new XMLHttpRequest(); x.open('GET', 'secret.txt', false);"
          "    x.send(); said.push(tell('xhr', x.responseText)); }"
          "  catch (e) { said.push('xhr refused'); }"
          "  try { said.push(tell('frame', frames[0].document.body.innerText)); }"
          "  catch (e) { said.push('frame refused'); }"
          "  said.push(document.images[0].naturalWidth > 0 ? 'image shown' : 'no image');"
          "  document.title = said.join(', '); });"
          "</script></body></html>");
    reach.close();
    type(QUrl::fromLocalFile(reach.fileName()).toString());
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(1, "document.title").toString(),
        QStringLiteral("fetch refused, xhr refused, frame refused, image shown"), timeout);
    // A system file shows as text, or fails quietly where it is missing.
    QSignalSpy errors(view(1), &PageView::NavigateError);
    QSignalSpy completions(view(1), &PageView::DocumentComplete);
    type("file:///etc/hostname");
    QTRY_VERIFY_WITH_TIMEOUT(errors.size() + completions.size() >= 1, timeout);
}

void TestHardeningEngine::floodingPageLeavesTheWindowResponsive()
{
    type(serveFlood("document.title = (n % 2 ? 'virus scan ' : 'sex shop ') + n;"
                    "history.replaceState(null, '', '#' + n);"));
    QTRY_VERIFY_WITH_TIMEOUT(warningShown(), timeout);
    checkWindowAnswers();
}

void TestHardeningEngine::busyPageStillCompletes()
{
    // The page's own script takes its renderer for good once it has loaded.
    m_server->page("/busy",
        "<html><head><title>Busy</title></head><body><p>busy</p><script>"
        "addEventListener('load', () => setTimeout(() => { for (;;) {} }, 0));"
        "</script></body></html>");
    source(1)->setText("earlier");
    go(m_server->url("/busy"));
    QTRY_COMPARE_WITH_TIMEOUT(caption(1), QStringLiteral("Busy"), timeout);
    QTRY_VERIFY_WITH_TIMEOUT(!header(1)->look().progress, timeout);
    // The window goes on; the source view kept what it had, or has the page's markup.
    const QString text = source(1)->text();
    QVERIFY2(text == "earlier" || text.startsWith("<p>busy</p>"), qPrintable(text));
    openTab();
    QCOMPARE(activeTab(), 2);
    // Closing it ends the busy renderer with the tab.
    clickClose(1);
}

QTEST_MAIN(TestHardeningEngine)
#include "tst_hardening_engine.moc"

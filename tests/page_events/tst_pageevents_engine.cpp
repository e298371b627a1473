// Page events from the real engine through the window, against a local server.
#include "hosted/downloads/downloadsaver.h"
#include "hosted/engineprofile.h"
#include "support/enginetest.h"
#include "support/httpresponder.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tab_header/progressbox.h"
#include "tabs/sourceeditor.h"
#include "window/addresscontroller.h"
#include "window/form1.h"
#include "window/mainstatusbar.h"
#include "window/warningpanel.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

class TestPageEventsEngine : public EngineTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keywordInTitleRaisesThePanel();
    void slowPageShowsThenHidesProgress();
    void completedPageIsTakenIn();
    void downloadsNeverOverwrite();
    void failedDownloadLeavesNoFile();
    void downloadBelongsToTheTabThatStartedIt();
    void linksDownloadIsSavedForItsSite();
    void downloadOfAClosedTabEndsQuietly();
};

void TestPageEventsEngine::init()
{
    QVERIFY(openWindow());
}

void TestPageEventsEngine::cleanup()
{
    closeWindow();
}

void TestPageEventsEngine::keywordInTitleRaisesThePanel()
{
    m_server->page("/t", "<html><head><title>Free virus scan</title></head><body>x</body></html>");
    QVERIFY(!warningShown());
    go(m_server->url("/t"));
    QTRY_VERIFY_WITH_TIMEOUT(warningShown(), timeout);
    QCOMPARE(warningMessage(), QStringLiteral("This site might contain viruses!"));
}

void TestPageEventsEngine::slowPageShowsThenHidesProgress()
{
    m_server->route("/slow",
        { 200, "text/html", "<html><head><title>Slow</title></head><body>s</body></html>", 1500,
            {} });
    ProgressBox *progress = headerPart<ProgressBox>(1, "prog");
    go(m_server->url("/slow"));
    QTRY_VERIFY_WITH_TIMEOUT(progress->isVisible(), timeout);
    QTRY_VERIFY_WITH_TIMEOUT(!progress->isVisible(), timeout);
    QCOMPARE(header(1)->look().caption, QStringLiteral("Slow"));
}

void TestPageEventsEngine::completedPageIsTakenIn()
{
    m_server->page("/p",
        "<html><head><title>A page</title></head><body><div>one <em>two</em></div></body></html>");
    const int before = addressBox()->count();
    go(m_server->url("/p"));
    QTRY_COMPARE_WITH_TIMEOUT(header(1)->look().caption, QStringLiteral("A page"), timeout);
    QCOMPARE(source(1)->text(), QStringLiteral("<div>one <em>two</em></div>"));
    QCOMPARE(addressBox()->count(), before + 1);
    go(m_server->url("/p"));
    QTRY_COMPARE_WITH_TIMEOUT(addressBox()->count(), before + 2, timeout);
    QCOMPARE(addressBox()->itemText(before), m_server->url("/p"));
    QCOMPARE(addressBox()->itemText(before + 1), m_server->url("/p"));
    QCOMPARE(statusText(), QStringLiteral("Done"));
}

void TestPageEventsEngine::downloadsNeverOverwrite()
{
    QTemporaryDir folder;
    m_profile->downloads()->setDirectory(folder.path());
    m_server->route("/file",
        { 200, "application/octet-stream", "first contents", 0,
            { { "Content-Disposition", "attachment; filename=\"report.txt\"" } } });
    go(m_server->url("/file"));
    const QString first = QDir(folder.path()).filePath("report.txt");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(first), timeout);
    QTRY_VERIFY_WITH_TIMEOUT(statusText().startsWith("Saved"), timeout);
    QVERIFY(statusText().contains("report.txt"));
    QTRY_VERIFY_WITH_TIMEOUT(panel2Picture().isNull(), timeout);

    m_server->route("/file",
        { 200, "application/octet-stream", "second contents", 0,
            { { "Content-Disposition", "attachment; filename=\"report.txt\"" } } });
    go(m_server->url("/file"));
    const QString second = QDir(folder.path()).filePath("report (1).txt");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(second), timeout);
    QFile a(first), b(second);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(a.readAll(), QByteArray("first contents"));
    QCOMPARE(b.readAll(), QByteArray("second contents"));
    QTRY_COMPARE_WITH_TIMEOUT(QDir(folder.path()).entryList(QDir::Files).size(), 2, timeout);
    // The page stays where it was.
    QCOMPARE(header(1)->look().caption, QStringLiteral("Start"));
}

void TestPageEventsEngine::failedDownloadLeavesNoFile()
{
    QTemporaryDir folder;
    m_profile->downloads()->setDirectory(folder.path());
    m_server->route("/big",
        { 200, "application/octet-stream", QByteArray(64 * 1024, 'x'), 0,
            { { "Content-Disposition", "attachment; filename=\"big.bin\"" } } });
    // Connected after the view, so the download is already accepted when it is cancelled:
    // it ends unfinished, as a broken transfer does.
    connect(m_profile->profile(), &QWebEngineProfile::downloadRequested, this,
        [](QWebEngineDownloadRequest *download) { download->cancel(); });
    go(m_server->url("/big"));
    QTRY_COMPARE_WITH_TIMEOUT(statusText(), QStringLiteral("Download failed"), timeout);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestPageEventsEngine::downloadBelongsToTheTabThatStartedIt()
{
    // Every tab's view hears of every download of the profile; only the one whose page
    // started it may take it.
    QTemporaryDir folder;
    m_profile->downloads()->setDirectory(folder.path());
    m_server->route("/file",
        { 200, "application/octet-stream", "contents", 0,
            { { "Content-Disposition", "attachment; filename=\"one.txt\"" } } });
    openTab();
    go(m_server->url("/start/"));
    QTRY_COMPARE_WITH_TIMEOUT(caption(2), QStringLiteral("Start"), timeout);
    header(1)->sellect();
    go(m_server->url("/file"));
    QTRY_VERIFY_WITH_TIMEOUT(statusText().startsWith("Saved"), timeout);
    QTest::qWait(500); // another view's report would come within this while
    QVERIFY2(statusText().startsWith("Saved"), qPrintable(statusText()));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "one.txt" });
}

void TestPageEventsEngine::linksDownloadIsSavedForItsSite()
{
    // A download the page starts without navigating (a link's download attribute, clicked by
    // its script) while the keyboard is in the address box: its site names its tab.
    QTemporaryDir folder;
    m_profile->downloads()->setDirectory(folder.path());
    m_server->route("/made",
        { 200, "application/octet-stream", "made", 0,
            { { "Content-Disposition", "attachment; filename=\"made.txt\"" } } });
    m_server->page("/maker",
        "<html><body><a id='a' href='/made' download>made</a>"
        "<script>setTimeout(() => document.getElementById('a').click(), 200)</script>"
        "</body></html>");
    m_form->addressBox().focus();
    go(m_server->url("/maker"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QDir(folder.path()).filePath("made.txt")), timeout);
    QTRY_VERIFY_WITH_TIMEOUT(statusText().startsWith("Saved"), timeout);
}

void TestPageEventsEngine::downloadOfAClosedTabEndsQuietly()
{
    // A link's download whose answer comes after its tab has closed: the engine asks for it
    // with no page behind it. Asking the request for its page then took the program down.
    QTemporaryDir folder;
    m_profile->downloads()->setDirectory(folder.path());
    m_server->route("/late",
        { 200, "application/octet-stream", "late", 300,
            { { "Content-Disposition", "attachment; filename=\"late.bin\"" } } });
    m_server->page("/starter",
        "<html><body><a id='a' href='/late' download>late</a>"
        "<script>document.getElementById('a').click()</script></body></html>");
    for (int round = 0; round < 3; ++round) {
        const qsizetype asked = m_server->requested.count("/late");
        const int tab = openTab();
        go(m_server->url("/starter"));
        QVERIFY(settle(
            "the download is asked for", [&] { return m_server->requested.count("/late") > asked; },
            timeout));
        closeTab(tab);
        // The answer comes, and the engine asks what to do with it.
        QTest::qWait(500);
    }
    // The window still answers.
    go(m_server->url("/start/"));
    QTRY_VERIFY_WITH_TIMEOUT(!header(1)->look().progress, timeout);
    QCOMPARE(caption(1), QStringLiteral("Start"));
}

QTEST_MAIN(TestPageEventsEngine)
#include "tst_pageevents_engine.moc"

// Page events from the real engine through the window, against a local server.
#include "hosted/downloadsaver.h"
#include "hosted/engineprofile.h"
#include "hosted/sourceeditor.h"
#include "main_window/form1.h"
#include "main_window/mainstatusbar.h"
#include "main_window/warningpanel.h"
#include "support/enginetest.h"
#include "support/httpresponder.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tab_header/progressbox.h"

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

private:
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
    QVERIFY(m_form->infopanel->isHidden());
    go(m_server->url("/t"));
    QTRY_VERIFY_WITH_TIMEOUT(!m_form->infopanel->isHidden(), timeout);
    QCOMPARE(m_form->infopanel->messageText(), QStringLiteral("This site might contain viruses!"));
}

void TestPageEventsEngine::slowPageShowsThenHidesProgress()
{
    m_server->route("/slow",
        { 200, "text/html", "<html><head><title>Slow</title></head><body>s</body></html>", 1500,
            {} });
    ProgressBox *progress = m_form->flik(1)->prog;
    go(m_server->url("/slow"));
    QTRY_VERIFY_WITH_TIMEOUT(progress->isVisible(), timeout);
    QTRY_VERIFY_WITH_TIMEOUT(!progress->isVisible(), timeout);
    QCOMPARE(m_form->flik(1)->StatusBar1->panelText(), QStringLiteral("Slow"));
}

void TestPageEventsEngine::completedPageIsTakenIn()
{
    m_server->page("/p",
        "<html><head><title>A page</title></head><body><div>one <em>two</em></div></body></html>");
    const int before = m_form->address->count();
    go(m_server->url("/p"));
    QTRY_COMPARE_WITH_TIMEOUT(
        m_form->flik(1)->StatusBar1->panelText(), QStringLiteral("A page"), timeout);
    QCOMPARE(m_form->Codetext(1)->text(), QStringLiteral("<div>one <em>two</em></div>"));
    QCOMPARE(m_form->address->count(), before + 1);
    go(m_server->url("/p"));
    QTRY_COMPARE_WITH_TIMEOUT(m_form->address->count(), before + 2, timeout);
    QCOMPARE(m_form->address->itemText(before), m_server->url("/p"));
    QCOMPARE(m_form->address->itemText(before + 1), m_server->url("/p"));
    QCOMPARE(m_form->StatusBar1->panel1Text(), QStringLiteral("Done"));
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
    QTRY_VERIFY_WITH_TIMEOUT(m_form->StatusBar1->panel1Text().startsWith("Saved"), timeout);
    QVERIFY(m_form->StatusBar1->panel1Text().contains("report.txt"));
    QTRY_VERIFY_WITH_TIMEOUT(m_form->StatusBar1->panel2Picture().isNull(), timeout);

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
    QCOMPARE(m_form->flik(1)->StatusBar1->panelText(), QStringLiteral("Start"));
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
    QTRY_COMPARE_WITH_TIMEOUT(
        m_form->StatusBar1->panel1Text(), QStringLiteral("Download failed"), timeout);
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
    m_form->newflik_Click();
    go(m_server->url("/start/"));
    QTRY_COMPARE_WITH_TIMEOUT(caption(2), QStringLiteral("Start"), timeout);
    m_form->flik(1)->sellect();
    go(m_server->url("/file"));
    QTRY_VERIFY_WITH_TIMEOUT(m_form->StatusBar1->panel1Text().startsWith("Saved"), timeout);
    QTest::qWait(500); // another view's report would come within this while
    QVERIFY2(m_form->StatusBar1->panel1Text().startsWith("Saved"),
        qPrintable(m_form->StatusBar1->panel1Text()));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "one.txt" });
}

QTEST_MAIN(TestPageEventsEngine)
#include "tst_pageevents_engine.moc"

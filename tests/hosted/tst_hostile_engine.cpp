// Hostile pages on the real engine: a title made of markup, pop-ups that open pop-ups,
// dialogs in a loop, and downloads that would hide, overwrite or fill the disk. The window
// stays usable and the user's files safe.
#include "common/pageguards.h"
#include "hosted/downloads/downloadsaver.h"
#include "page_events/popupthrottle.h"
#include "support/enginetest.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tabs/scriptdialog.h"
#include "window/form1.h"
#include "window/mainstatusbar.h"
#include "window/warningpanel.h"

#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <QHelpEvent>
#include <QHostAddress>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QWebEnginePage>

namespace {

HttpResponder::Response attachment(const QByteArray &name, const QByteArray &contents)
{
    return { 200, "application/octet-stream", contents, 0,
        { { "Content-Disposition", "attachment; filename=\"" + name + "\"" } } };
}

} // namespace

class TestHostileEngine : public EngineTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void markupInATitleShowsAsText();
    void popupCascadeIsBounded();
    void dialogLoopLeavesTheWindowUsable();
    void backgroundDialogIsAnsweredAtOnce();
    void framedLoginOfAnotherSiteIsRefused();
    void downloadsNeitherHideNorOverwrite();
    void downloadLoopIsRefused();
    void downloadsNeverGoThroughALink();
    void downloadBoundHoldsAcrossReloads();
    void typedDownloadsAreTheUsersOwn();
    void longNamesAreSaved();
    void brokenDownloadFailsAndLeavesNothing();
    void pagesAndLinksGoWhereTheUserChose();

private:
    // The page's dialogs that are open now.
    QList<ScriptDialog *> dialogs(int index) const
    {
        return view(index)->findChildren<ScriptDialog *>(Qt::FindDirectChildrenOnly);
    }
    QTemporaryDir m_downloads;
};

void TestHostileEngine::init()
{
    QVERIFY(openWindow());
    m_profile->downloads()->setDirectory(m_downloads.path());
}

void TestHostileEngine::cleanup()
{
    closeWindow();
    QDir(m_downloads.path()).removeRecursively();
    QDir().mkpath(m_downloads.path());
}

void TestHostileEngine::markupInATitleShowsAsText()
{
    const QString title = QStringLiteral("<img src=\"/nonexistent/x.png\"><b>News</b>");
    m_server->page("/rich",
        "<html><head><title>" + title.toHtmlEscaped().toUtf8()
            + "</title></head><body>news</body></html>");
    go(m_server->url("/rich"));
    QTRY_COMPARE_WITH_TIMEOUT(caption(1), title.left(50), timeout);
    HeaderFace *face = headerPart<HeaderFace>(1, "StatusBar1");
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), face->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(face, &hover);
    QTRY_VERIFY(QToolTip::isVisible());
    QTextDocument shown;
    shown.setHtml(QToolTip::text());
    QCOMPARE(shown.toPlainText(), title);
    QToolTip::hideText();
    QCOMPARE(header(1)->accessibleName(), title.left(50));
}

void TestHostileEngine::popupCascadeIsBounded()
{
    // Every pop-up opens the next one, as soon as it loads.
    m_server->page("/cascade",
        "<html><head><title>Cascade</title></head><body>"
        "<script>window.open('/cascade')</script></body></html>");
    go(m_server->url("/cascade"));
    QTRY_VERIFY_WITH_TIMEOUT(warningShown(), timeout);
    QCOMPARE(warningTitle(), QStringLiteral("A popup window has been blocked."));
    QTest::qWait(1000); // the cascade would go on within this while
    QVERIFY(tabCount() <= 1 + PopupThrottle::burstLimit);
    // The window still answers.
    openTab();
}

void TestHostileEngine::dialogLoopLeavesTheWindowUsable()
{
    m_server->page("/alerts",
        "<html><head><title>Alerts</title></head><body><script>"
        "setTimeout(() => { for (;;) alert('<b>again</b>'); }, 0);"
        "</script></body></html>");
    // The user's hand: while a dialog waits, the test's own code waits below it, so what a
    // person does is done from a timer: look at the dialog, answer it.
    int answered = 0;
    QStringList texts;
    QTimer hand;
    connect(&hand, &QTimer::timeout, this, [&] {
        const QList<ScriptDialog *> open = view(1) ? dialogs(1) : QList<ScriptDialog *>();
        if (open.isEmpty() || !open.first()->isVisible())
            return;
        for (QLabel *label : open.first()->findChildren<QLabel *>())
            texts << label->text();
        ++answered;
        QTest::mouseClick(open.first()->findChild<QPushButton *>(), Qt::LeftButton);
    });
    hand.start(50);
    QSignalSpy status(view(1), &PageView::StatusTextChange);
    go(m_server->url("/alerts"));
    QTRY_COMPARE_WITH_TIMEOUT(answered, PageGuards::dialogsPerPage, timeout);
    QVERIFY(texts.contains("<b>again</b>")); // the page's text, as text
    const auto said = [&status](const QString &text) {
        return std::any_of(status.begin(), status.end(),
            [&](const QList<QVariant> &args) { return args.at(0).toString() == text; });
    };
    QTRY_VERIFY_WITH_TIMEOUT(said("This page's further dialogs are blocked"), timeout);
    // The page goes on asking and is answered at once; the window answers the user.
    for (int round = 0; round < 5; ++round) {
        bool fired = false;
        QTimer::singleShot(0, this, [&] { fired = true; });
        QTRY_VERIFY_WITH_TIMEOUT(fired, timeout);
    }
    QCOMPARE(answered, PageGuards::dialogsPerPage);
    // The user closes the tab with its close box.
    openTab();
    QTest::mouseClick(headerPart<QToolButton>(1, "closer"), Qt::LeftButton);
    // Its page, busy with its alerts, does not answer whether it may be left: it goes anyway.
    QTRY_VERIFY_WITH_TIMEOUT(!header(1), timeout);
    QCOMPARE(activeTab(), 2);
}

void TestHostileEngine::backgroundDialogIsAnsweredAtOnce()
{
    // While a dialog waits, the engine does nothing for any tab: a covered tab's dialog is
    // answered as cancelled at once, and the user hears of it when the tab comes in front.
    m_server->page("/later",
        "<html><head><title>Later</title></head><body><script>"
        "setTimeout(() => { document.title = confirm('still there?') ? 'Yes' : 'No'; }, 300);"
        "</script></body></html>");
    go(m_server->url("/later"));
    QTRY_COMPARE_WITH_TIMEOUT(caption(1), QStringLiteral("Later"), timeout);
    openTab();
    QTRY_COMPARE_WITH_TIMEOUT(view(1)->enginePage()->title(), QStringLiteral("No"), timeout);
    QVERIFY(dialogs(1).isEmpty());
    QCOMPARE(activeTab(), 2);
    activate(1);
    QCOMPARE(statusText(),
        QStringLiteral("A dialog of this page was cancelled while its tab was behind"));
}

void TestHostileEngine::framedLoginOfAnotherSiteIsRefused()
{
    // A frame of another site would ask for a password over the page the user visits.
    QVERIFY(m_server->listenAlso(QHostAddress("127.0.0.2")));
    const QByteArray frame = m_server->url("/private").replace("127.0.0.1", "127.0.0.2").toUtf8();
    m_server->route("/private",
        { 401, "text/html", "denied", 0,
            { { "WWW-Authenticate", "Basic realm=\"Your bank - enter password\"" } } });
    m_server->page("/framed",
        "<html><head><title>Framed</title></head><body><iframe src='" + frame
            + "'></iframe></body></html>");
    QSignalSpy status(view(1), &PageView::StatusTextChange);
    go(m_server->url("/framed"));
    QTRY_COMPARE_WITH_TIMEOUT(caption(1), QStringLiteral("Framed"), timeout);
    QTRY_VERIFY_WITH_TIMEOUT(status.contains({ QStringLiteral(
                                 "A frame of another site asked for a password; it was refused") }),
        timeout);
    QVERIFY(dialogs(1).isEmpty());
}

void TestHostileEngine::downloadsNeitherHideNorOverwrite()
{
    // A dot file, and two downloads of one name that run at the same time.
    m_server->route("/dot", attachment(".xsessionrc", "exec evil"));
    go(m_server->url("/dot"));
    const QDir folder(m_downloads.path());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath("xsessionrc")), timeout);
    QVERIFY(!QFile::exists(folder.filePath(".xsessionrc")));

    m_server->route("/first", attachment("same.txt", QByteArray(200000, 'a')));
    m_server->route("/second", attachment("same.txt", QByteArray(200000, 'b')));
    m_server->page("/both",
        "<html><body><iframe src='/first'></iframe><iframe src='/second'></iframe></body></html>");
    go(m_server->url("/both"));
    QTRY_COMPARE_WITH_TIMEOUT(
        folder.entryList({ "same*" }, QDir::Files | QDir::Hidden).size(), 2, timeout);
    QTest::qWait(300); // a late overwrite would land within this while
    QSet<QByteArray> contents;
    for (const QString &name : folder.entryList({ "same*" }, QDir::Files | QDir::Hidden)) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        contents.insert(file.readAll().left(1));
        QVERIFY2(!name.endsWith(".part"), qPrintable(name));
    }
    QCOMPARE(contents, (QSet<QByteArray> { "a", "b" }));
}

void TestHostileEngine::downloadLoopIsRefused()
{
    m_server->route("/loop", attachment("loop.bin", "x"));
    m_server->page("/looping",
        "<html><head><title>Looping</title></head><body><script>"
        "for (let i = 0; i < 12; ++i) {"
        "  const f = document.createElement('iframe'); f.src = '/loop?' + i;"
        "  document.body.appendChild(f); }"
        "</script></body></html>");
    QSignalSpy status(view(1), &PageView::StatusTextChange);
    go(m_server->url("/looping"));
    QTRY_VERIFY_WITH_TIMEOUT(std::any_of(status.begin(), status.end(),
                                 [](const QList<QVariant> &args) {
                                     return args.at(0).toString()
                                         == "Download refused: this page has started too many "
                                            "downloads";
                                 }),
        timeout);
    QTest::qWait(1000); // further downloads would be saved within this while
    const QStringList saved = QDir(m_downloads.path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(saved.size(), PageGuards::downloadsWithoutUserAction);
}

void TestHostileEngine::downloadsNeverGoThroughALink()
{
    // Links in the download folder that lead elsewhere (into autostart, say): neither the
    // final name nor a temporary one is ever written through them.
    QTemporaryDir elsewhere;
    const QDir folder(m_downloads.path());
    QVERIFY(QFile::link(elsewhere.filePath("evil.desktop"), folder.filePath("notes.txt")));
    QVERIFY(QFile::link(elsewhere.filePath("evil2"), folder.filePath("notes.txt.part")));
    m_server->route("/notes", attachment("notes.txt", "my notes"));
    go(m_server->url("/notes"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath("notes (1).txt")), timeout);
    QTRY_VERIFY_WITH_TIMEOUT(statusText().startsWith("Saved"), timeout);
    QCOMPARE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), {});
    QVERIFY(QFileInfo(folder.filePath("notes.txt")).isSymLink());
}

void TestHostileEngine::downloadBoundHoldsAcrossReloads()
{
    // A page that starts downloads and loads itself again and again gets no fresh
    // allowance with each load.
    m_server->route("/loop", attachment("loop.bin", "x"));
    m_server->page("/reloading",
        "<html><head><title>Reloading</title></head><body><script>"
        "for (let i = 0; i < 3; ++i) {"
        "  const f = document.createElement('iframe'); f.src = '/loop?' + Math.random();"
        "  document.body.appendChild(f); }"
        "setTimeout(() => location.reload(), 300);"
        "</script></body></html>");
    go(m_server->url("/reloading"));
    QTest::qWait(4000); // a dozen loads within this while
    QVERIFY(m_server->requested.count("/reloading") > 3);
    const QStringList saved = QDir(m_downloads.path()).entryList(QDir::Files);
    QCOMPARE(saved.size(), PageGuards::downloadsWithoutUserAction);
    // The loop ends before the window does, as a user leaving the page would end it. (The
    // page cannot hold the user's navigation back with its own reloads.)
    m_server->page("/calm", "<html><head><title>Calm</title></head><body>calm</body></html>");
    go(m_server->url("/calm"));
    PageView *view = tabs().frontPage();
    QTRY_VERIFY_WITH_TIMEOUT(
        view->LocationURL() == m_server->url("/calm") && !view->isLoading(), timeout);
}

void TestHostileEngine::typedDownloadsAreTheUsersOwn()
{
    for (int i = 0; i < 5; ++i) {
        const QByteArray path = "/file" + QByteArray::number(i);
        m_server->route(path, attachment("typed" + QByteArray::number(i) + ".txt", "x"));
        go(m_server->url(path));
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile::exists(QDir(m_downloads.path()).filePath(QStringLiteral("typed%1.txt").arg(i))),
            timeout);
    }
}

void TestHostileEngine::longNamesAreSaved()
{
    // 250 bytes and the temporary suffixes do not fit a file name.
    const QDir folder(m_downloads.path());
    m_server->route("/long", attachment(QByteArray(246, 'n') + ".pdf", "x"));
    go(m_server->url("/long"));
    QTRY_COMPARE_WITH_TIMEOUT(folder.entryList({ "nnn*.pdf" }, QDir::Files).size(), 1, timeout);
    QTRY_VERIFY_WITH_TIMEOUT(statusText().startsWith("Saved"), timeout);
}

void TestHostileEngine::brokenDownloadFailsAndLeavesNothing()
{
    // The server closes the connection partway: the download fails, says so, and no file
    // has its final name.
    HttpResponder::Response cut = attachment("big.iso", QByteArray(64 * 1024, 'x'));
    cut.claimedLength = 10 * 1024 * 1024;
    m_server->route("/big", cut);
    go(m_server->url("/big"));
    QTRY_COMPARE_WITH_TIMEOUT(statusText(), QStringLiteral("Download failed"), timeout);
    QCOMPARE(QDir(m_downloads.path()).entryList(QDir::Files | QDir::Hidden), {});
}

void TestHostileEngine::pagesAndLinksGoWhereTheUserChose()
{
    m_server->page("/article",
        "<html><head><title>Article</title><link rel='stylesheet' href='/style.css'></head>"
        "<body>words</body></html>");
    m_server->route("/style.css", { 200, "text/css", "body { color: navy }", 0, {} });
    m_server->route("/report", attachment("report.pdf", "pdf bytes"));
    m_server->route("/dots", attachment("..", "dots"));
    go(m_server->url("/article"));
    QTRY_COMPARE_WITH_TIMEOUT(caption(1), QStringLiteral("Article"), timeout);
    // Replacing what is there, as the user agreed to in the dialog.
    const QDir folder(m_downloads.path());
    const QString page = folder.filePath("mine.mhtml");
    QFile earlier(page);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    WindowDriver::page(1)->pageActions().SavePage(page, PageActions::SaveFormat::SingleFile);
    QTRY_COMPARE_WITH_TIMEOUT(statusText(), "Saved " + page, timeout);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QVERIFY(earlier.readAll().startsWith("From: <Saved by Blink>"));
    const QString link = folder.filePath("chosen.pdf");
    WindowDriver::page(1)->pageActions().SaveLink(m_server->url("/report"), link);
    QTRY_COMPARE_WITH_TIMEOUT(statusText(), "Saved " + link, timeout);
    QFile saved(link);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("pdf bytes"));
    // A complete page is written aside and moves into place whole, with its parts' folder,
    // which replaces the folder of the page it replaces.
    const QString full = folder.filePath("full.html");
    QVERIFY(folder.mkpath("full_files") && QFile(full).open(QIODevice::WriteOnly));
    QVERIFY(QFile(folder.filePath("full_files/old.css")).open(QIODevice::WriteOnly));
    WindowDriver::page(1)->pageActions().SavePage(full, PageActions::SaveFormat::Complete);
    QTRY_COMPARE_WITH_TIMEOUT(statusText(), "Saved " + full, timeout);
    const QStringList parts = QDir(folder.filePath("full_files")).entryList(QDir::Files);
    QVERIFY2(parts.size() == 1 && parts.first() != "old.css", qPrintable(parts.join(' ')));
    // A download the page names ".." is no name of the folder above.
    go(m_server->url("/dots"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath("download")), timeout);
    // Nothing under the server's name, nothing half written left.
    QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden, QDir::Name),
        (QStringList { "chosen.pdf", "download", "full.html", "mine.mhtml" }));
}

QTEST_MAIN(TestHostileEngine)
#include "tst_hostile_engine.moc"

// The page views' events as the window handles them, raised by fake views.
#include "support/formfixture.h"
#include "support/input.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tab_header/progressbox.h"
#include "tabs/sourceeditor.h"
#include "window/mainstatusbar.h"
#include "window/warningpanel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>

class TestPageEvents : public QObject
{
    Q_OBJECT
private slots:
    void statusTextIsTrimmedOfSpacesOnly();
    void statusTextFromABackgroundTabShows();
    void statusTextWarningSetsTheTitleLine();
    void warningsOffShowNothing();
    void progressShowsAndHides();
    void lockMarkFollowsTheLevel();
    void downloadMarkComesAndGoes();
    void viewFocusActivatesItsTab();
    void titleNeverCaptionsAndKeepsTheTitleLine();
    void completionTakesThePageIn();
    void completionInABackgroundTab();
    void tabOpenedBehindIsTakenInOnceInFront();
    void completionAppendsEveryTime();
    void completionWithoutBodyOrAddress();
    void completionScreensTheAddress();
    void eventsOfClosedTabsAreSkipped();
};

void TestPageEvents::statusTextIsTrimmedOfSpacesOnly()
{
    FormFixture f;
    emit f.view(1)->StatusTextChange("  Done  ");
    QCOMPARE(f.statusText(), QStringLiteral("Done"));
    emit f.view(1)->StatusTextChange("\tDone \t");
    QCOMPARE(f.statusText(), QStringLiteral("\tDone \t"));
    emit f.view(1)->StatusTextChange(QString());
    QCOMPARE(f.statusText(), QString());
    emit f.view(1)->StatusTextChange("    ");
    QCOMPARE(f.statusText(), QString());
}

void TestPageEvents::statusTextFromABackgroundTabShows()
{
    FormFixture f;
    f.openTab();
    emit f.view(1)->StatusTextChange("from the background");
    QCOMPARE(f.statusText(), QStringLiteral("from the background"));
    QCOMPARE(f.activeTab(), 2);
}

void TestPageEvents::statusTextWarningSetsTheTitleLine()
{
    FormFixture f;
    f.warningPanel()->setTitle("an older title");
    emit f.view(1)->StatusTextChange("Essex virus");
    QVERIFY(f.warningShown());
    QCOMPARE(
        f.warningTitle(), QStringLiteral(" Warning this site might be harmfull to your system."));
    QCOMPARE(f.warningMessage(), QStringLiteral("This site might contain viruses!"));
    QCOMPARE(f.statusText(), QStringLiteral("Essex virus"));
}

void TestPageEvents::warningsOffShowNothing()
{
    FormFixture f;
    f.press("ws");
    emit f.view(1)->StatusTextChange("sex");
    emit f.view(1)->TitleChange("porn");
    f.view(1)->complete("http://sex.test/", "fuck", "<p>body</p>");
    QVERIFY(!f.warningShown());
    // Everything else still happens.
    QCOMPARE(f.statusText(), QStringLiteral("sex"));
    QCOMPARE(f.header(1)->look().caption, QStringLiteral("fuck"));
    QCOMPARE(f.addressText(), QStringLiteral("http://sex.test/"));
    QCOMPARE(f.source(1)->text(), QStringLiteral("<p>body</p>"));
    f.press("ws");
    emit f.view(1)->TitleChange("porn");
    QVERIFY(f.warningShown());
}

void TestPageEvents::progressShowsAndHides()
{
    FormFixture f;
    flik *header = f.header(1);
    f.page(1)->move(30, 40);
    emit f.view(1)->ProgressChange(30, 100);
    QVERIFY(header->look().progress);
    QCOMPARE(f.headerPart<ProgressBox>(1, "prog")->barWidth(), 30.0);
    QCOMPARE(f.page(1)->pos(), QPoint(0, 0));
    emit f.view(1)->ProgressChange(60, 0);
    QVERIFY(!header->look().progress);
    emit f.view(1)->ProgressChange(10, 100);
    QVERIFY(header->look().progress);
    emit f.view(1)->DownloadComplete();
    QVERIFY(!header->look().progress);
}

void TestPageEvents::lockMarkFollowsTheLevel()
{
    FormFixture f;
    flik *header = f.header(1);
    emit f.view(1)->SetSecureLockIcon(1);
    QVERIFY(header->look().lock);
    emit f.view(1)->SetSecureLockIcon(0);
    QVERIFY(!header->look().lock);
    emit f.view(1)->SetSecureLockIcon(4);
    QVERIFY(header->look().lock);
    emit f.view(1)->SetSecureLockIcon(-1);
    QVERIFY(!header->look().lock);
    // The status bar hears of it only at the next activation.
    emit f.view(1)->SetSecureLockIcon(2);
    QCOMPARE(f.panel2Text(), QString());
    header->sellect();
    QCOMPARE(f.panel2Text(), QStringLiteral("Encrypted"));
}

void TestPageEvents::downloadMarkComesAndGoes()
{
    // The download mark while a download runs; else the front tab's lock, whichever tab's
    // load ends: a covered tab's must not leave "Encrypted" without its lock.
    FormFixture f;
    f.openTab();
    emit f.view(1)->SetSecureLockIcon(2);
    f.header(1)->sellect();
    const qint64 lock = f.panel2Picture().cacheKey();
    QVERIFY(!f.panel2Picture().isNull());
    emit f.view(1)->FileDownload();
    QCOMPARE(f.panel2Picture().cacheKey(), f.control<QLabel>("downloadico")->pixmap().cacheKey());
    emit f.view(1)->DownloadComplete();
    QCOMPARE(f.panel2Picture().cacheKey(), lock);
    emit f.view(2)->DownloadComplete();
    QCOMPARE(f.panel2Picture().cacheKey(), lock);
    QCOMPARE(f.panel2Text(), QStringLiteral("Encrypted"));
}

void TestPageEvents::viewFocusActivatesItsTab()
{
    FormFixture f;
    f.openTab();
    emit f.view(1)->GotFocus();
    QCOMPARE(f.activeTab(), 1);
    QCOMPARE(f.previousTab(), 2);
}

void TestPageEvents::titleNeverCaptionsAndKeepsTheTitleLine()
{
    FormFixture f;
    Form1 &form = *f.form;
    f.header(1)->Caption("Before");
    f.warningPanel()->setTitle("kept title");
    emit f.view(1)->TitleChange("sex and virus scan");
    QCOMPARE(f.header(1)->look().caption, QStringLiteral("Before"));
    QCOMPARE(f.warningTitle(), QStringLiteral("kept title"));
    QCOMPARE(f.warningMessage(), QStringLiteral("This site might contain adult materia."));
    QCOMPARE(form.windowTitle(), QStringLiteral("Tessarvine 2 BETA"));
}

void TestPageEvents::completionTakesThePageIn()
{
    FormFixture f;
    emit f.view(1)->ProgressChange(50, 100);
    f.view(1)->complete("http://a.test/", "Page A", "<h1>A</h1>");
    QCOMPARE(f.addressBox()->count(), 1);
    QCOMPARE(f.addressBox()->itemText(0), QStringLiteral("http://a.test/"));
    QCOMPARE(f.addressText(), QStringLiteral("http://a.test/"));
    QCOMPARE(f.header(1)->look().caption, QStringLiteral("Page A"));
    QVERIFY(!f.header(1)->look().progress);
    QCOMPARE(f.source(1)->text(), QStringLiteral("<h1>A</h1>"));
    QVERIFY(f.source(1)->isHidden());
}

void TestPageEvents::completionInABackgroundTab()
{
    // A covered tab whose page moves on by itself (a timed redirect, a refresh) is taken in,
    // but never takes the front, nor the keys typed into the page in front.
    FormFixture f;
    Form1 &form = *f.form;
    form.show();
    f.openTab();
    QVERIFY(Input::clickFocus(f.page(2)));
    f.addressBox()->setEditText("typed in tab 2");
    f.view(1)->complete("http://a.test/", "Page A", "<p>a</p>");
    // The address box is not the background tab's; its list is shared.
    QCOMPARE(f.addressBox()->itemText(0), QStringLiteral("http://a.test/"));
    QCOMPARE(f.header(1)->look().caption, QStringLiteral("Page A"));
    QCOMPARE(f.source(1)->text(), QStringLiteral("<p>a</p>"));
    QCOMPARE(f.activeTab(), 2);
    QCOMPARE(f.addressText(), QStringLiteral("typed in tab 2"));
    QVERIFY(f.view(2)->inFront && !f.view(1)->inFront);
    QCOMPARE(QApplication::focusWidget(), f.page(2));
    // The headers to the right stay flush.
    QCOMPARE(f.header(2)->place().left, f.header(1)->place().left + f.header(1)->place().width);
}

void TestPageEvents::tabOpenedBehindIsTakenInOnceInFront()
{
    // Addresses given to the program: a tab opened behind the last one stays behind when
    // its first page completes, unless the user has brought it in front meanwhile; then its
    // completion is taken in as any other (the lock into panel 2).
    FormFixture f({ "start.test/start/", "http://search.test", { "a.test", "b.test", "c.test" } });
    QCOMPARE(f.activeTab(), 3);
    f.activate(1);
    f.view(2)->complete("http://b.test/", "B");
    QCOMPARE(f.activeTab(), 1);
    emit f.view(1)->SetSecureLockIcon(2);
    f.view(1)->complete("https://a.test/", "A");
    QCOMPARE(f.activeTab(), 1);
    QCOMPARE(f.panel2Text(), QStringLiteral("Encrypted"));
}

void TestPageEvents::completionAppendsEveryTime()
{
    FormFixture f;
    f.view(1)->complete("http://a.test/", "A", "<p>1</p>");
    f.view(1)->complete("http://a.test/", "A", "<p>2</p>");
    QCOMPARE(f.addressBox()->count(), 2);
    QCOMPARE(f.source(1)->text(), QStringLiteral("<p>2</p>"));
}

void TestPageEvents::completionWithoutBodyOrAddress()
{
    FormFixture f;
    f.view(1)->complete("http://a.test/", "A", "<p>kept</p>");
    f.view(1)->complete("http://a.test/image.png", "image.png", std::nullopt);
    QCOMPARE(f.source(1)->text(), QStringLiteral("<p>kept</p>"));
    f.view(1)->complete(QString(), QString(), QString());
    QCOMPARE(f.addressBox()->count(), 2);
    QCOMPARE(f.addressText(), QString());
}

void TestPageEvents::completionScreensTheAddress()
{
    FormFixture f;
    f.view(1)->complete("http://virus.test/", "clean", "<p></p>");
    QVERIFY(!f.warningShown());
    f.warningPanel()->setTitle("kept");
    f.view(1)->complete("http://erotic.test/", "clean", "<p></p>");
    QCOMPARE(f.warningTitle(), QStringLiteral("kept"));
    QCOMPARE(f.warningMessage(), QStringLiteral("This site might contain adult materia."));
    f.view(1)->complete("http://essex.test/", "clean", "<p></p>");
    QCOMPARE(
        f.warningTitle(), QStringLiteral(" Warning this site might be harmfull to your system."));
}

void TestPageEvents::eventsOfClosedTabsAreSkipped()
{
    FormFixture f;
    f.openTab();
    f.header(1)->sellect();
    FakePageView *closed = f.view(2);
    f.clickClose(2);
    // A late event of every kind from the closed tab's view reaches nothing.
    emit closed->StatusTextChange("late");
    closed->complete("http://late.test/", "Late", "<p>late</p>");
    emit closed->ProgressChange(10, 100);
    emit closed->SetSecureLockIcon(2);
    emit closed->NavigateError("http://late.test/", 404);
    emit closed->LocationChange("http://late.test/");
    emit closed->GotFocus();
    emit closed->DownloadComplete();
    emit closed->WindowClosing();
    QCOMPARE(f.addressBox()->count(), 0);
    QVERIFY(f.statusText() != QStringLiteral("late"));
    QVERIFY(f.addressText() != QStringLiteral("http://late.test/"));
    QVERIFY(!f.warningShown());
    QCoreApplication::processEvents();
    QCOMPARE(f.activeTab(), 1);
    QCOMPARE(f.tabCount(), 1);
    QVERIFY(f.panel2Text().isEmpty());
    QVERIFY(f.header(0)->isHidden());
}

QTEST_MAIN(TestPageEvents)
#include "tst_pageevents.moc"

// The page views' events as the window handles them, raised by fake views.
#include "hosted/sourceeditor.h"
#include "main_window/mainstatusbar.h"
#include "main_window/warningpanel.h"
#include "support/formfixture.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tab_header/progressbox.h"

#include <QAction>
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
    void completionAppendsEveryTime();
    void completionWithoutBodyOrAddress();
    void completionScreensTheAddress();
    void eventsOfClosedTabsAreSkipped();
};

void TestPageEvents::statusTextIsTrimmedOfSpacesOnly()
{
    FormFixture f;
    emit f.view(1)->StatusTextChange("  Done  ");
    QCOMPARE(f.form->StatusBar1->panel1Text(), QStringLiteral("Done"));
    emit f.view(1)->StatusTextChange("\tDone \t");
    QCOMPARE(f.form->StatusBar1->panel1Text(), QStringLiteral("\tDone \t"));
    emit f.view(1)->StatusTextChange(QString());
    QCOMPARE(f.form->StatusBar1->panel1Text(), QString());
    emit f.view(1)->StatusTextChange("    ");
    QCOMPARE(f.form->StatusBar1->panel1Text(), QString());
}

void TestPageEvents::statusTextFromABackgroundTabShows()
{
    FormFixture f;
    f.form->newflik_Click();
    emit f.view(1)->StatusTextChange("from the background");
    QCOMPARE(f.form->StatusBar1->panel1Text(), QStringLiteral("from the background"));
    QCOMPARE(f.form->current, 2.0f);
}

void TestPageEvents::statusTextWarningSetsTheTitleLine()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.infopanel->setTitle("an older title");
    emit f.view(1)->StatusTextChange("Essex virus");
    QVERIFY(!form.infopanel->isHidden());
    QCOMPARE(form.infopanel->title(),
        QStringLiteral(" Warning this site might be harmfull to your system."));
    QCOMPARE(form.infopanel->messageText(), QStringLiteral("This site might contain viruses!"));
    QCOMPARE(form.StatusBar1->panel1Text(), QStringLiteral("Essex virus"));
}

void TestPageEvents::warningsOffShowNothing()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.ws_Click();
    emit f.view(1)->StatusTextChange("sex");
    emit f.view(1)->TitleChange("porn");
    f.view(1)->complete("http://sex.test/", "fuck", "<p>body</p>");
    QVERIFY(form.infopanel->isHidden());
    // Everything else still happens.
    QCOMPARE(form.StatusBar1->panel1Text(), QStringLiteral("sex"));
    QCOMPARE(form.flik(1)->StatusBar1->panelText(), QStringLiteral("fuck"));
    QCOMPARE(form.address->currentText(), QStringLiteral("http://sex.test/"));
    QCOMPARE(form.Codetext(1)->text(), QStringLiteral("<p>body</p>"));
    form.ws_Click();
    emit f.view(1)->TitleChange("porn");
    QVERIFY(!form.infopanel->isHidden());
}

void TestPageEvents::progressShowsAndHides()
{
    FormFixture f;
    flik *header = f.form->flik(1);
    f.form->WebBrowser(1)->move(30, 40);
    emit f.view(1)->ProgressChange(30, 100);
    QVERIFY(!header->prog->isHidden());
    QCOMPARE(header->prog->barWidth(), 30.0);
    QCOMPARE(f.form->WebBrowser(1)->pos(), QPoint(0, 0));
    emit f.view(1)->ProgressChange(60, 0);
    QVERIFY(header->prog->isHidden());
    emit f.view(1)->ProgressChange(10, 100);
    QVERIFY(!header->prog->isHidden());
    emit f.view(1)->DownloadComplete();
    QVERIFY(header->prog->isHidden());
}

void TestPageEvents::lockMarkFollowsTheLevel()
{
    FormFixture f;
    flik *header = f.form->flik(1);
    emit f.view(1)->SetSecureLockIcon(1);
    QVERIFY(!header->secure->isHidden());
    emit f.view(1)->SetSecureLockIcon(0);
    QVERIFY(header->secure->isHidden());
    emit f.view(1)->SetSecureLockIcon(4);
    QVERIFY(!header->secure->isHidden());
    emit f.view(1)->SetSecureLockIcon(-1);
    QVERIFY(header->secure->isHidden());
    // The status bar hears of it only at the next activation.
    emit f.view(1)->SetSecureLockIcon(2);
    QCOMPARE(f.form->StatusBar1->panel2Text(), QString());
    header->sellect();
    QCOMPARE(f.form->StatusBar1->panel2Text(), QStringLiteral("Encrypted"));
}

void TestPageEvents::downloadMarkComesAndGoes()
{
    FormFixture f;
    Form1 &form = *f.form;
    emit f.view(1)->SetSecureLockIcon(2);
    form.flik(1)->sellect();
    bool cancel = false;
    emit f.view(1)->FileDownload(cancel);
    QVERIFY(!cancel);
    QCOMPARE(form.StatusBar1->panel2Picture().cacheKey(), form.downloadico->pixmap().cacheKey());
    emit f.view(1)->DownloadComplete();
    QVERIFY(form.StatusBar1->panel2Picture().isNull());
    QCOMPARE(form.StatusBar1->panel2Text(), QStringLiteral("Encrypted"));
}

void TestPageEvents::viewFocusActivatesItsTab()
{
    FormFixture f;
    f.form->newflik_Click();
    emit f.view(1)->GotFocus();
    QCOMPARE(f.form->current, 1.0f);
    QCOMPARE(f.form->lastone, 2.0f);
}

void TestPageEvents::titleNeverCaptionsAndKeepsTheTitleLine()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.flik(1)->Caption("Before");
    form.infopanel->setTitle("kept title");
    emit f.view(1)->TitleChange("sex and virus scan");
    QCOMPARE(form.flik(1)->StatusBar1->panelText(), QStringLiteral("Before"));
    QCOMPARE(form.infopanel->title(), QStringLiteral("kept title"));
    QCOMPARE(
        form.infopanel->messageText(), QStringLiteral("This site might contain adult materia."));
    QCOMPARE(form.windowTitle(), QStringLiteral("Tessarvine 2 BETA"));
}

void TestPageEvents::completionTakesThePageIn()
{
    FormFixture f;
    Form1 &form = *f.form;
    emit f.view(1)->ProgressChange(50, 100);
    f.view(1)->complete("http://a.test/", "Page A", "<h1>A</h1>");
    QCOMPARE(form.address->count(), 1);
    QCOMPARE(form.address->itemText(0), QStringLiteral("http://a.test/"));
    QCOMPARE(form.address->currentText(), QStringLiteral("http://a.test/"));
    QCOMPARE(form.flik(1)->StatusBar1->panelText(), QStringLiteral("Page A"));
    QVERIFY(form.flik(1)->prog->isHidden());
    QCOMPARE(form.Codetext(1)->text(), QStringLiteral("<h1>A</h1>"));
    QVERIFY(form.Codetext(1)->isHidden());
}

void TestPageEvents::completionInABackgroundTab()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.address->setEditText("typed in tab 2");
    f.view(1)->complete("http://a.test/", "Page A", "<p>a</p>");
    // The address box is not the background tab's; its list is shared.
    QCOMPARE(form.address->itemText(0), QStringLiteral("http://a.test/"));
    QCOMPARE(form.flik(1)->StatusBar1->panelText(), QStringLiteral("Page A"));
    QCOMPARE(form.Codetext(1)->text(), QStringLiteral("<p>a</p>"));
    // ...and the completed tab is then selected, which shows its address.
    QCOMPARE(form.current, 1.0f);
    QCOMPARE(form.address->currentText(), QStringLiteral("http://a.test/"));
    // The headers to the right stay flush.
    QCOMPARE(form.flik(2)->Left(), form.flik(1)->Left() + form.flik(1)->Width());
}

void TestPageEvents::completionAppendsEveryTime()
{
    FormFixture f;
    f.view(1)->complete("http://a.test/", "A", "<p>1</p>");
    f.view(1)->complete("http://a.test/", "A", "<p>2</p>");
    QCOMPARE(f.form->address->count(), 2);
    QCOMPARE(f.form->Codetext(1)->text(), QStringLiteral("<p>2</p>"));
}

void TestPageEvents::completionWithoutBodyOrAddress()
{
    FormFixture f;
    Form1 &form = *f.form;
    f.view(1)->complete("http://a.test/", "A", "<p>kept</p>");
    f.view(1)->complete("http://a.test/image.png", "image.png", std::nullopt);
    QCOMPARE(form.Codetext(1)->text(), QStringLiteral("<p>kept</p>"));
    f.view(1)->complete(QString(), QString(), QString());
    QCOMPARE(form.address->count(), 2);
    QCOMPARE(form.address->currentText(), QString());
}

void TestPageEvents::completionScreensTheAddress()
{
    FormFixture f;
    Form1 &form = *f.form;
    f.view(1)->complete("http://virus.test/", "clean", "<p></p>");
    QVERIFY(form.infopanel->isHidden());
    form.infopanel->setTitle("kept");
    f.view(1)->complete("http://erotic.test/", "clean", "<p></p>");
    QCOMPARE(form.infopanel->title(), QStringLiteral("kept"));
    QCOMPARE(
        form.infopanel->messageText(), QStringLiteral("This site might contain adult materia."));
    f.view(1)->complete("http://essex.test/", "clean", "<p></p>");
    QCOMPARE(form.infopanel->title(),
        QStringLiteral(" Warning this site might be harmfull to your system."));
}

void TestPageEvents::eventsOfClosedTabsAreSkipped()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    FakePageView *closed = f.view(2);
    form.flik(2)->closer_Click();
    // A late event from the closed tab's view reaches nothing.
    emit closed->StatusTextChange("late");
    closed->complete("http://late.test/", "Late", "<p>late</p>");
    QCOMPARE(form.address->count(), 0);
    QVERIFY(form.StatusBar1->panel1Text() != QStringLiteral("late"));
    QCoreApplication::processEvents();
    // Handlers called with indices that name no tab, or the template, do nothing.
    form.WebBrowser_ProgressChange(2, 10, 0);
    form.WebBrowser_DocumentComplete(2, QString());
    form.WebBrowser_DocumentComplete(0, QString());
    form.WebBrowser_SetSecureLockIcon(7, 2);
    form.WebBrowser_GotFocus(0);
    form.WebBrowser_DownloadComplete(-3);
    QCOMPARE(form.current, 1.0f);
    QVERIFY(form.flik(0)->isHidden());
}

QTEST_MAIN(TestPageEvents)
#include "tst_pageevents.moc"

// Pop-up requests, navigation errors and closing tabs, on fake page views.
#include "hosted/sourceeditor.h"
#include "main_window/coolbar.h"
#include "main_window/mainstatusbar.h"
#include "main_window/tabstrip.h"
#include "main_window/warningpanel.h"
#include "page_events/popupthrottle.h"
#include "support/formfixture.h"
#include "support/input.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QTest>
#include <QToolButton>

class TestClosing : public QObject
{
    Q_OBJECT
private slots:
    void popupOpensAnActiveTabRightOfTheLast();
    void popupBlockedMakesRoomAndReplacesAnyWarning();
    void popupFromABackgroundTab();
    void popupCascadeIsBoundedForTheWindow();
    void throttleBoundsRateAndOpenTabs();
    void nothingChangesWhenNoTabCanBeMade();
    void navigationErrorShowsOrHidesThePanel();
    void closingABackgroundTabKeepsTheActiveOne();
    void closingTheActiveTabGoesBack();
    void closingBackgroundThenActiveLeavesATabActive();
    void closingTheOnlyTabLeavesNoneActive();
    void closingWithHolesMovesOnlyLoadedHeaders();
    void nearestTabToTheLeftComesFirst();
    void closingTheFocusedPageActivatesTheRememberedTab();
    void closingDestroysAfterTheHandler();
};

void TestClosing::popupOpensAnActiveTabRightOfTheLast()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.flik(1)->sellect();
    NewWindowRequest request;
    emit f.view(1)->NewWindow2(request);
    QVERIFY(!request.Cancel);
    QCOMPARE(request.ppDisp, form.WebBrowser(3));
    QCOMPARE(form.current, 3.0f);
    QCOMPARE(form.flik(3)->Left(), form.flik(2)->Left() + form.flik(2)->Width());
    QVERIFY(!form.WebBrowser(3)->isHidden());
    QVERIFY(form.Codetext(3)->isHidden());
    QVERIFY(f.view(3)->navigated.isEmpty());
    QVERIFY(form.infopanel->isHidden());
}

void TestClosing::popupBlockedMakesRoomAndReplacesAnyWarning()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.resize(800, 600);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const double full = form.containerHeight();
    form.pp_Click();
    NewWindowRequest request;
    emit f.view(1)->NewWindow2(request);
    QVERIFY(request.Cancel);
    QVERIFY(!request.ppDisp);
    QCOMPARE(form.flik.ubound(), 1);
    // The notice makes room for itself: the pages move down under it.
    QVERIFY(!form.infopanel->isHidden());
    QCOMPARE(form.containerHeight(), full - 495);
    QCOMPARE(form.container->y(), form.CoolBar1->height() + form.infopanel->height());
    form.closer_Click();
    emit f.view(1)->StatusTextChange("virus scan");
    emit f.view(1)->NewWindow2(request);
    QCOMPARE(form.infopanel->title(), QStringLiteral("A popup window has been blocked."));
    QCOMPARE(form.infopanel->messageText(),
        QStringLiteral("Popup windows are common comercials or ads that launches in a new "
                       "tab/window. to allow this popup please check the popup menu in the "
                       "settings menu"));
}

void TestClosing::popupFromABackgroundTab()
{
    FormFixture f;
    f.form->newflik_Click();
    NewWindowRequest request;
    emit f.view(1)->NewWindow2(request);
    QCOMPARE(request.ppDisp, f.form->WebBrowser(3));
    QCOMPARE(f.form->current, 3.0f);
    QCOMPARE(f.form->lastone, 2.0f);
}

void TestClosing::popupCascadeIsBoundedForTheWindow()
{
    // Pop-ups that open pop-ups: each new tab asks for the next one at once.
    FormFixture f;
    Form1 &form = *f.form;
    int opened = 0;
    for (int i = 0; i < 4000; ++i) {
        NewWindowRequest request;
        emit f.view(form.WebBrowser.ubound())->NewWindow2(request);
        opened += request.Cancel ? 0 : 1;
    }
    QCOMPARE(opened, PopupThrottle::burstLimit);
    QCOMPARE(form.flik.ubound(), 1 + PopupThrottle::burstLimit);
    // Past the bound, the user sees the blocked notice.
    QVERIFY(!form.infopanel->isHidden());
    QCOMPARE(form.infopanel->title(), QStringLiteral("A popup window has been blocked."));
    // A window the user asked for (a click on a link) still opens.
    NewWindowRequest asked;
    asked.userInitiated = true;
    emit f.view(1)->NewWindow2(asked);
    QVERIFY(!asked.Cancel);
}

void TestClosing::throttleBoundsRateAndOpenTabs()
{
    PopupThrottle throttle;
    qint64 now = 1000;
    const auto open = [&](int tab) {
        if (!throttle.allow(false, now))
            return false;
        throttle.opened(tab, false, now);
        return true;
    };
    // The rate counts the whole window, whichever tab asks.
    for (int tab = 2; tab < 2 + PopupThrottle::burstLimit; ++tab)
        QVERIFY(open(tab));
    QVERIFY(!open(99));
    QVERIFY(throttle.allow(true, now));
    now += PopupThrottle::windowMs;
    QVERIFY(open(7));
    // Slowly, too: no more than openLimit unasked tabs at once, until some close.
    int tab = 8;
    while (open(tab)) {
        ++tab;
        now += PopupThrottle::windowMs;
    }
    QCOMPARE(tab - 2, PopupThrottle::openLimit);
    throttle.opened(500, true, now); // asked for: never counted
    throttle.forget(3);
    now += PopupThrottle::windowMs;
    QVERIFY(open(tab));
    QVERIFY(!open(tab + 1));
}

void TestClosing::nothingChangesWhenNoTabCanBeMade()
{
    FormFixture f;
    Form1 &form = *f.form;
    // The highest index a tab can have is taken: no new tab, and never the requesting view.
    auto *last = new ::flik(form, form.Picture1->headers());
    QVERIFY(form.flik.load(32767, last));
    NewWindowRequest request;
    emit f.view(1)->NewWindow2(request);
    QVERIFY(request.Cancel);
    QVERIFY(!request.ppDisp);
    QCOMPARE(form.WebBrowser.ubound(), 1);
    QCOMPARE(form.current, 1.0f);
    // "Search Tab" opens nothing, and turns no existing tab into a search tab.
    form.mnusearch_Click();
    QVERIFY(!last->viewsearch->isChecked());
    QVERIFY(!form.flik(1)->viewsearch->isChecked());
    QCOMPARE(form.WebBrowser.count(), 2);
    QCOMPARE(form.Codetext.count(), 2);
    QCOMPARE(form.current, 1.0f);
}

void TestClosing::navigationErrorShowsOrHidesThePanel()
{
    FormFixture f;
    Form1 &form = *f.form;
    f.view(1)->name = "A page";
    emit f.view(1)->NavigateError("http://x.test/", 404);
    QVERIFY(!form.infopanel->isHidden());
    QCOMPARE(form.infopanel->title(), QStringLiteral("An error accured"));
    QCOMPARE(form.infopanel->messageText(),
        QStringLiteral("The Page could not be found or an error in source code of HTML."));
    form.closer_Click();
    emit f.view(1)->NavigateError("http://x.test/", 500);
    QCOMPARE(form.infopanel->title(), QStringLiteral("An error accured"));
    QVERIFY(!form.infopanel->isHidden());
    // A tab that has shown nothing hides the panel, whatever it showed, texts untouched.
    form.newflik_Click();
    form.showWarning(ContentWarnings::titleText, ContentWarnings::virusMessage);
    emit f.view(2)->NavigateError("http://y.test/", -105);
    QVERIFY(form.infopanel->isHidden());
    QCOMPARE(form.infopanel->messageText(), ContentWarnings::virusMessage);
}

void TestClosing::closingABackgroundTabKeepsTheActiveOne()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.newflik_Click();
    const float firstLeft = form.flik(1)->Left();
    const float thirdLeft = form.flik(3)->Left();
    const float secondWidth = form.flik(2)->Width();
    form.flik(2)->closer_Click();
    QCOMPARE(form.current, 3.0f);
    QCOMPARE(form.lastone, 2.0f);
    QCOMPARE(form.flik(3)->Left(), thirdLeft - secondWidth);
    QCOMPARE(form.flik(1)->Left(), firstLeft);
    QVERIFY(!form.flik(2) && !form.WebBrowser(2) && !form.Codetext(2));
    QCOMPARE(form.flik(3)->StatusBar1->bevel(), 1);
}

void TestClosing::closingTheActiveTabGoesBack()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.newflik_Click();
    f.view(1)->url = "http://one.test/";
    form.flik(1)->sellect();
    form.flik(3)->sellect();
    form.flik(3)->closer_Click();
    QCOMPARE(form.current, 1.0f);
    QCOMPARE(form.address->currentText(), QStringLiteral("http://one.test/"));
    const QWidgetList stack = form.container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QCOMPARE(stack.last(), form.WebBrowser(1));
    // The highest index is free again.
    QCOMPARE(form.flik.ubound(), 2);
}

void TestClosing::closingBackgroundThenActiveLeavesATabActive()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.newflik_Click();
    form.newflik_Click(); // tabs 1-4, 4 active
    form.flik(2)->closer_Click(); // lastone is now the closed tab 2
    form.flik(4)->closer_Click();
    // Tab 2 is gone: the nearest open tab to the left of 4 takes over.
    QCOMPARE(form.current, 3.0f);
    QCOMPARE(form.flik(3)->StatusBar1->bevel(), 1);
    form.flik(1)->sellect();
    form.flik(3)->closer_Click(); // background: 1 stays
    form.flik(1)->closer_Click(); // lastone 3 is closed, nothing left of 1
    QCoreApplication::processEvents();
    QCOMPARE(form.flik.count(), 1); // only the template
    QCOMPARE(form.current, 0.0f);
}

void TestClosing::closingTheOnlyTabLeavesNoneActive()
{
    FormFixture f;
    Form1 &form = *f.form;
    f.view(1)->url = "http://one.test/";
    form.flik(1)->sellect();
    form.sc->setChecked(true);
    form.flik(1)->closer_Click();
    QCoreApplication::processEvents();
    QCOMPARE(form.address->currentText(), QString());
    QVERIFY(!form.sc->isChecked());
    // The templates are never activated, shown or navigated.
    QVERIFY(form.flik(0)->isHidden());
    QVERIFY(form.WebBrowser(0)->isHidden());
    QCOMPARE(form.flik(0)->StatusBar1->bevel(), 0);
    int key = 13;
    form.address->setEditText("typed.test");
    form.address_KeyPress(key);
    form.Toolbar1_ButtonClick("back");
    form.Toolbar1_ButtonMenuClick(1);
    form.sc_Click();
    QVERIFY(f.view(0)->navigated.isEmpty());
    QCOMPARE(f.view(0)->backs, 0);
    QVERIFY(f.view(0)->zoomLevels.isEmpty());
    QVERIFY(!form.sc->isChecked());
    // Opening a tab again works as at start.
    form.newflik_Click();
    QCOMPARE(form.flik.ubound(), 1);
    QCOMPARE(form.flik(1)->Left(), 405.0f);
    QCOMPARE(form.current, 1.0f);
}

void TestClosing::closingWithHolesMovesOnlyLoadedHeaders()
{
    FormFixture f;
    Form1 &form = *f.form;
    for (int i = 0; i < 4; ++i)
        form.newflik_Click(); // tabs 1-5
    form.flik(4)->closer_Click();
    const float fifthLeft = form.flik(5)->Left();
    const float firstLeft = form.flik(1)->Left();
    const float secondWidth = form.flik(2)->Width();
    form.flik(2)->closer_Click();
    QCOMPARE(form.flik(5)->Left(), fifthLeft - secondWidth);
    QCOMPARE(form.flik(1)->Left(), firstLeft);
    QCOMPARE(form.flik(3)->Left(), form.flik(1)->Left() + form.flik(1)->Width());
    QCOMPARE(form.current, 5.0f);
}

void TestClosing::nearestTabToTheLeftComesFirst()
{
    FormFixture f;
    Form1 &form = *f.form;
    for (int i = 0; i < 4; ++i)
        form.newflik_Click(); // tabs 1-5
    form.flik(3)->sellect();
    form.flik(4)->closer_Click(); // background: 3 stays, and lastone becomes the closed 4
    form.flik(3)->closer_Click();
    // Open tabs on both sides of 3; the left one wins.
    QCOMPARE(form.current, 2.0f);
    QCOMPARE(form.flik(2)->StatusBar1->bevel(), 1);
}

void TestClosing::closingTheFocusedPageActivatesTheRememberedTab()
{
    // Hiding the focused page passes the focus on along the focus chain; the focus must not
    // choose the tab that becomes active.
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.newflik_Click();
    form.flik(1)->sellect();
    form.flik(2)->sellect();
    QVERIFY(Input::clickFocus(form.WebBrowser(2)));
    QCOMPARE(form.current, 2.0f);
    QTest::mouseClick(form.flik(2)->closer, Qt::LeftButton);
    QCOMPARE(form.current, 1.0f);
    QCOMPARE(form.flik(1)->StatusBar1->bevel(), 1);
    QCOMPARE(form.flik(3)->StatusBar1->bevel(), 0);
    // The keyboard goes with the eyes, to the page now shown.
    QCOMPARE(QApplication::focusWidget(), form.WebBrowser(1));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(form.current, 1.0f);
    // The last tab closing with the focus leaves it in the address box, and no tab active.
    form.flik(3)->closer_Click();
    QVERIFY(Input::clickFocus(form.WebBrowser(1)));
    QTest::mouseClick(form.flik(1)->closer, Qt::LeftButton);
    QCOMPARE(form.current, 0.0f);
    QCOMPARE(QApplication::focusWidget(), form.address);
}

void TestClosing::closingDestroysAfterTheHandler()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    QPointer<::flik> header = form.flik(2);
    QPointer<PageView> view = form.WebBrowser(2);
    QPointer<SourceEditor> editor = form.Codetext(2);
    header->closer_Click();
    QVERIFY(header && view && editor); // still there while the click is handled
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!header && !view && !editor);
}

QTEST_MAIN(TestClosing)
#include "tst_closing.moc"

// Pop-up requests, navigation errors and closing tabs, on fake page views.
#include "page_events/popupthrottle.h"
#include "page_tools/pagetools.h"
#include "support/formfixture.h"
#include "support/input.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tabs/closedtabs.h"
#include "tabs/sourceeditor.h"
#include "tabs/tabstrip.h"
#include "window/coolbar.h"
#include "window/mainstatusbar.h"
#include "window/warningpanel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPrintDialog>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <set>

class TestTabs : public QObject
{
    Q_OBJECT
private slots:
    void popupOpensAnActiveTabRightOfTheLast();
    void popupBlockedMakesRoomAndReplacesAnyWarning();
    void popupFromABackgroundTab();
    void linksTheUserOpensInNewTabsAreNoPopups();
    void throttleBoundsRateAndOpenTabs();
    void nothingChangesWhenNoTabCanBeMade();
    void navigationErrorShowsOrHidesThePanel();
    void closingABackgroundTabKeepsTheActiveOne();
    void closingTheActiveTabGoesBack();
    void closingABackgroundTabLeavesTheFrontAlone();
    void closingAPrintingTabEndsItsPrint();
    void closedTabsComeBackNewestFirst();
    void closingBackgroundThenActiveLeavesATabActive();
    void closingTheOnlyTabLeavesNoneActive();
    void closingWithHolesMovesOnlyLoadedHeaders();
    void nearestTabToTheLeftComesFirst();
    void closingTheFocusedPageActivatesTheRememberedTab();
    void closingDestroysAfterTheHandler();
    void aSitesQuestionBelongsToItsTabAndItsPage();
};

// A question waits for its covered tab, goes unanswered when its page moves on, is refused
// when its tab closes, and takes no answer in the moment it appears.
void TestTabs::aSitesQuestionBelongsToItsTabAndItsPage()
{
    FormFixture f;
    f.form->show();
    f.form->newflik_Click();
    f.form->newflik_Click();
    QStringList answers;
    QStringList remembered;
    const auto ask = [&](PageView *page, const char *site, Permission kind = Permission::Location) {
        const QString name
            = QString::fromLatin1(site) + (kind == Permission::Camera ? " camera" : "");
        emit page->PermissionAsked({ *Site::of(QUrl(QString::fromLatin1(site))), kind, 1,
            [&answers, name](bool allow) { answers << name + (allow ? " allowed" : " blocked"); },
            [&remembered, name](bool) { remembered << name; } });
    };
    const auto bar = [](PageView *page) {
        for (auto *frame : page->findChildren<QFrame *>())
            if (frame->accessibleName() == u"Question from the site")
                return frame;
        return static_cast<QFrame *>(nullptr);
    };
    const auto button = [&bar](PageView *page, const QString &text) {
        for (auto *one : bar(page)->findChildren<QPushButton *>())
            if (one->text() == text)
                return one;
        return static_cast<QPushButton *>(nullptr);
    };
    ask(f.page(1), "https://covered.test");
    QVERIFY(!bar(f.page(1))->isVisible());
    f.header(1)->sellect();
    QVERIFY(bar(f.page(1))->isVisible());
    QCOMPARE(bar(f.page(1))->findChild<QLabel *>()->text(),
        QStringLiteral("covered.test wants to know your location"));
    QTest::mouseClick(button(f.page(1), "Allow"), Qt::LeftButton);
    QVERIFY(answers.isEmpty());
    QTRY_VERIFY(button(f.page(1), "Allow")->isEnabled());
    QTest::mouseClick(button(f.page(1), "Allow"), Qt::LeftButton);
    QCOMPARE(answers, QStringList { "https://covered.test allowed" });
    QVERIFY(!bar(f.page(1))->isVisible());
    // The keyboard goes back to the page, and no other tab comes in front by it.
    QCOMPARE(f.activeTab(), 1);

    ask(f.page(1), "http://moves.test");
    emit f.page(1)->PermissionsWithdrawn();
    QVERIFY(!bar(f.page(1))->isVisible());
    // An answer settles what waits of the same site and kind, and nothing else.
    ask(f.page(1), "http://asks.test");
    ask(f.page(1), "http://asks.test", Permission::Camera);
    ask(f.page(1), "http://asks.test");
    QTRY_VERIFY(button(f.page(1), "Block")->isEnabled());
    QTest::mouseClick(button(f.page(1), "Block"), Qt::LeftButton);
    QCOMPARE(
        answers.mid(1), QStringList({ "http://asks.test blocked", "http://asks.test blocked" }));
    QVERIFY(bar(f.page(1))->isVisible());
    QCOMPARE(bar(f.page(1))->findChild<QLabel *>()->text(),
        QStringLiteral("http://asks.test wants to use your camera"));

    // Refused as its tab closes, and not held against the site.
    ask(f.page(2), "http://closes.test");
    f.closeTab(2);
    QCOMPARE(answers.last(), QStringLiteral("http://closes.test blocked"));
    QVERIFY(!remembered.contains(QStringLiteral("http://closes.test")));
    QCOMPARE(remembered.size(), 3);
}

void TestTabs::popupOpensAnActiveTabRightOfTheLast()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    f.header(1)->sellect();
    NewWindowRequest request = f.view(1)->askNewWindow(false);
    QVERIFY(!request.Cancel);
    QCOMPARE(request.ppDisp, f.page(3));
    QCOMPARE(f.activeTab(), 3);
    QCOMPARE(f.header(3)->Left(), f.header(2)->Left() + f.header(2)->Width());
    QVERIFY(!f.page(3)->isHidden());
    QVERIFY(f.source(3)->isHidden());
    QVERIFY(f.view(3)->navigated.isEmpty());
    QVERIFY(!f.warningShown());
}

void TestTabs::popupBlockedMakesRoomAndReplacesAnyWarning()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.resize(800, 600);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const double full = form.containerHeight();
    form.pp_Click();
    NewWindowRequest request = f.view(1)->askNewWindow(false);
    QVERIFY(request.Cancel);
    QVERIFY(!request.ppDisp);
    QCOMPARE(f.highestTab(), 1);
    // The notice makes room for itself: the pages move down under it.
    QVERIFY(f.warningShown());
    QCOMPARE(form.containerHeight(), full - 495);
    QCOMPARE(
        f.viewArea()->y(), f.control<QWidget>("CoolBar1")->height() + f.warningPanel()->height());
    form.closer_Click();
    emit f.view(1)->StatusTextChange("virus scan");
    request = f.view(1)->askNewWindow(false);
    QCOMPARE(f.warningTitle(), QStringLiteral("A popup window has been blocked."));
    QCOMPARE(f.warningMessage(),
        QStringLiteral("Popup windows are common comercials or ads that launches in a new "
                       "tab/window. to allow this popup please check the popup menu in the "
                       "settings menu"));
}

void TestTabs::popupFromABackgroundTab()
{
    FormFixture f;
    f.form->newflik_Click();
    NewWindowRequest request = f.view(1)->askNewWindow(false);
    QCOMPARE(request.ppDisp, f.page(3));
    QCOMPARE(f.activeTab(), 3);
    QCOMPARE(f.previousTab(), 2);
}

void TestTabs::linksTheUserOpensInNewTabsAreNoPopups()
{
    // Even with pop-ups off and past their bound: a middle click opens its tab behind, the
    // tab in front keeping its page and keyboard; Ctrl+Shift+click opens it in front.
    FormFixture f;
    f.form->show();
    f.form->pp_Click();
    QVERIFY(Input::clickFocus(f.page(1)));
    NewWindowRequest link;
    link.linkInNewTab = link.behind = true;
    for (int i = 0; i < 2 * PopupThrottle::burstLimit; ++i)
        QVERIFY(!f.view(1)->askNewWindow(link).Cancel);
    QCOMPARE(f.highestTab(), 1 + 2 * PopupThrottle::burstLimit);
    QCOMPARE(f.activeTab(), 1);
    QCOMPARE(f.topView(), f.page(1));
    QCOMPARE(QApplication::focusWidget(), f.page(1));
    QVERIFY(!f.warningShown());
    link.behind = false;
    const NewWindowRequest front = f.view(1)->askNewWindow(link);
    QCOMPARE(front.ppDisp, f.page(f.highestTab()));
    QCOMPARE(f.activeTab(), f.highestTab());
}

void TestTabs::throttleBoundsRateAndOpenTabs()
{
    PopupThrottle throttle;
    qint64 now = 1000;
    std::set<int> unasked; // the tabs open that pages opened unasked
    const auto open = [&](int tab) {
        if (!throttle.allow(now, int(unasked.size())))
            return false;
        throttle.opened(now);
        unasked.insert(tab);
        return true;
    };
    // The rate counts the whole window, whichever tab asks.
    for (int tab = 2; tab < 2 + PopupThrottle::burstLimit; ++tab)
        QVERIFY(open(tab));
    QVERIFY(!open(99));
    now += PopupThrottle::windowMs;
    QVERIFY(open(7));
    // Slowly, too: no more than openLimit unasked tabs at once, until some close.
    int tab = 8;
    while (open(tab)) {
        ++tab;
        now += PopupThrottle::windowMs;
    }
    QCOMPARE(tab - 2, PopupThrottle::openLimit);
    unasked.erase(3);
    now += PopupThrottle::windowMs;
    QVERIFY(open(tab));
    QVERIFY(!open(tab + 1));
}

void TestTabs::nothingChangesWhenNoTabCanBeMade()
{
    FormFixture f;
    Form1 &form = *f.form;
    // Every index a tab can have is taken: no new tab, and never the requesting view.
    while (f.highestTab() < 32767) {
        form.newflik_Click();
        // As the event loop would between the user's clicks.
        if (f.highestTab() % 512 == 0)
            QCoreApplication::processEvents();
    }
    flik *last = f.header(32767);
    NewWindowRequest request = f.view(1)->askNewWindow(false);
    QVERIFY(request.Cancel);
    QVERIFY(!request.ppDisp);
    QCOMPARE(f.highestTab(), 32767);
    QCOMPARE(f.activeTab(), 32767);
    // "Search Tab" opens nothing, and turns no existing tab into a search tab.
    form.mnusearch_Click();
    QVERIFY(!last->isSearchTab());
    QCOMPARE(f.tabCount(), 32767);
    QCOMPARE(f.views.made.size(), 32768);
    QCOMPARE(f.activeTab(), 32767);
}

void TestTabs::navigationErrorShowsOrHidesThePanel()
{
    FormFixture f;
    Form1 &form = *f.form;
    f.view(1)->name = "A page";
    emit f.view(1)->NavigateError("http://x.test/", 404);
    QVERIFY(f.warningShown());
    QCOMPARE(f.warningTitle(), QStringLiteral("An error accured"));
    QCOMPARE(f.warningMessage(),
        QStringLiteral("The Page could not be found or an error in source code of HTML."));
    form.closer_Click();
    emit f.view(1)->NavigateError("http://x.test/", 500);
    QCOMPARE(f.warningTitle(), QStringLiteral("An error accured"));
    QVERIFY(f.warningShown());
    // A tab that has shown nothing hides the panel, whatever it showed, texts untouched.
    form.newflik_Click();
    f.events->showWarning(ContentWarnings::titleText, ContentWarnings::virusMessage);
    emit f.view(2)->NavigateError("http://y.test/", -105);
    QVERIFY(!f.warningShown());
    QCOMPARE(f.warningMessage(), ContentWarnings::virusMessage);
}

void TestTabs::closingABackgroundTabKeepsTheActiveOne()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.newflik_Click();
    const float firstLeft = f.header(1)->Left();
    const float thirdLeft = f.header(3)->Left();
    const float secondWidth = f.header(2)->Width();
    f.header(2)->closer_Click();
    QCOMPARE(f.activeTab(), 3);
    QCOMPARE(f.previousTab(), 2);
    QCOMPARE(f.header(3)->Left(), thirdLeft - secondWidth);
    QCOMPARE(f.header(1)->Left(), firstLeft);
    QVERIFY(!f.header(2) && !f.page(2) && !f.source(2));
    QCOMPARE(f.header(3)->bevel(), 1);
}

void TestTabs::closingABackgroundTabLeavesTheFrontAlone()
{
    // Closing once brought the tab in front on its way out: its sleeping page loaded again,
    // and the front page's full screen ended.
    FormFixture f;
    f.form->show();
    f.form->newflik_Click();
    f.form->newflik_Click();
    const QPointer<FakePageView> sleeping = f.view(1);
    sleeping->resting = PageView::Rest::Asleep;
    QVERIFY(f.view(3)->askFullScreen(true));
    f.header(1)->closer_Click();
    QCOMPARE(sleeping->wakes, 0);
    QCOMPARE(f.view(3)->fullScreenExits, 0);
    QVERIFY(f.view(3)->inFront && f.form->isFullScreen());
    QCOMPARE(f.activeTab(), 3);
    QCOMPARE(f.previousTab(), 1);
}

void TestTabs::closingAPrintingTabEndsItsPrint()
{
    FormFixture f;
    f.form->show();
    f.view(1)->url = "http://one.test/";
    f.form->pageTools().printPage();
    QPrintDialog *dialog = f.form->findChild<QPrintDialog *>();
    QVERIFY(dialog);
    dialog->accept();
    QCOMPARE(f.statusText(), QStringLiteral("Printing..."));
    f.header(1)->closer_Click();
    QTRY_COMPARE(f.statusText(), QStringLiteral("Printing failed"));
}

void TestTabs::closedTabsComeBackNewestFirst()
{
    ClosedTabs closed;
    closed.remember(QString()); // a blank tab leaves nothing
    for (int i = 1; i <= int(ClosedTabs::kept) + 2; ++i)
        closed.remember(QStringLiteral("http://t.test/%1").arg(i));
    QStringList back;
    while (const auto address = closed.takeLast())
        back << *address;
    QCOMPARE(back.size(), qsizetype(ClosedTabs::kept));
    QCOMPARE(back.first(), QStringLiteral("http://t.test/12"));
    QCOMPARE(back.last(), QStringLiteral("http://t.test/3"));
}

void TestTabs::closingTheActiveTabGoesBack()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.newflik_Click();
    f.view(1)->url = "http://one.test/";
    f.header(1)->sellect();
    f.header(3)->sellect();
    f.header(3)->closer_Click();
    QCOMPARE(f.activeTab(), 1);
    QCOMPARE(f.addressText(), QStringLiteral("http://one.test/"));
    const QWidgetList stack = f.viewArea()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QCOMPARE(stack.last(), f.page(1));
    // The highest index is free again.
    QCOMPARE(f.highestTab(), 2);
}

void TestTabs::closingBackgroundThenActiveLeavesATabActive()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.newflik_Click();
    form.newflik_Click(); // tabs 1-4, 4 active
    f.header(2)->closer_Click(); // lastone is now the closed tab 2
    f.header(4)->closer_Click();
    // Tab 2 is gone: the nearest open tab to the left of 4 takes over.
    QCOMPARE(f.activeTab(), 3);
    QCOMPARE(f.header(3)->bevel(), 1);
    f.header(1)->sellect();
    f.header(3)->closer_Click(); // background: 1 stays
    f.header(1)->closer_Click(); // lastone 3 is closed, nothing left of 1
    QCoreApplication::processEvents();
    QCOMPARE(f.tabCount(), 0);
    QCOMPARE(f.activeTab(), 0);
}

void TestTabs::closingTheOnlyTabLeavesNoneActive()
{
    FormFixture f;
    Form1 &form = *f.form;
    f.view(1)->url = "http://one.test/";
    f.header(1)->sellect();
    f.menuItem("sc")->setChecked(true);
    f.header(1)->closer_Click();
    QCoreApplication::processEvents();
    QCOMPARE(f.addressText(), QString());
    QVERIFY(!f.checked("sc"));
    // The templates take the place of an active tab, and are never shown or navigated.
    QCOMPARE(f.activeTab(), 0);
    QVERIFY(f.header(0)->isHidden());
    QVERIFY(f.page(0)->isHidden());
    int key = 13;
    f.addressBox()->setEditText("typed.test");
    form.address_KeyPress(key);
    form.Toolbar1_ButtonClick("back");
    form.Toolbar1_ButtonMenuClick(1);
    form.sc_Click();
    QVERIFY(f.view(0)->navigated.isEmpty());
    QCOMPARE(f.view(0)->backs, 0);
    QVERIFY(f.view(0)->zoomLevels.isEmpty());
    QVERIFY(!f.checked("sc"));
    // Opening a tab again works as at start.
    form.newflik_Click();
    QCOMPARE(f.highestTab(), 1);
    QCOMPARE(f.header(1)->Left(), 405.0f);
    QCOMPARE(f.activeTab(), 1);
}

void TestTabs::closingWithHolesMovesOnlyLoadedHeaders()
{
    FormFixture f;
    Form1 &form = *f.form;
    for (int i = 0; i < 4; ++i)
        form.newflik_Click(); // tabs 1-5
    f.header(4)->closer_Click();
    const float fifthLeft = f.header(5)->Left();
    const float firstLeft = f.header(1)->Left();
    const float secondWidth = f.header(2)->Width();
    f.header(2)->closer_Click();
    QCOMPARE(f.header(5)->Left(), fifthLeft - secondWidth);
    QCOMPARE(f.header(1)->Left(), firstLeft);
    QCOMPARE(f.header(3)->Left(), f.header(1)->Left() + f.header(1)->Width());
    QCOMPARE(f.activeTab(), 5);
}

void TestTabs::nearestTabToTheLeftComesFirst()
{
    FormFixture f;
    Form1 &form = *f.form;
    for (int i = 0; i < 4; ++i)
        form.newflik_Click(); // tabs 1-5
    f.header(3)->sellect();
    f.header(4)->closer_Click(); // background: 3 stays, and lastone becomes the closed 4
    f.header(3)->closer_Click();
    // Open tabs on both sides of 3; the left one wins.
    QCOMPARE(f.activeTab(), 2);
    QCOMPARE(f.header(2)->bevel(), 1);
}

void TestTabs::closingTheFocusedPageActivatesTheRememberedTab()
{
    // Hiding the focused page passes the focus on along the focus chain; the focus must not
    // choose the tab that becomes active.
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.newflik_Click();
    f.header(1)->sellect();
    f.header(2)->sellect();
    QVERIFY(Input::clickFocus(f.page(2)));
    QCOMPARE(f.activeTab(), 2);
    QTest::mouseClick(f.headerPart<QToolButton>(2, "closer"), Qt::LeftButton);
    QCOMPARE(f.activeTab(), 1);
    QCOMPARE(f.header(1)->bevel(), 1);
    QCOMPARE(f.header(3)->bevel(), 0);
    // The keyboard goes with the eyes, to the page now shown.
    QCOMPARE(QApplication::focusWidget(), f.page(1));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(f.activeTab(), 1);
    // The last tab closing with the focus leaves it in the address box, and no tab active.
    f.header(3)->closer_Click();
    QVERIFY(Input::clickFocus(f.page(1)));
    QTest::mouseClick(f.headerPart<QToolButton>(1, "closer"), Qt::LeftButton);
    QCOMPARE(f.activeTab(), 0);
    QCOMPARE(QApplication::focusWidget(), f.addressBox());
}

void TestTabs::closingDestroysAfterTheHandler()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    QPointer<::flik> header = f.header(2);
    QPointer<PageView> view = f.page(2);
    QPointer<SourceEditor> editor = f.source(2);
    header->closer_Click();
    QVERIFY(header && view && editor); // still there while the click is handled
    QTest::qWait(0); // the click's handling ends
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!header && !view && !editor);
}

QTEST_MAIN(TestTabs)
#include "tst_tabs.moc"

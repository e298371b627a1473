// Pop-up requests and navigation errors, on fake page views.
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
};

void TestTabs::popupOpensAnActiveTabRightOfTheLast()
{
    FormFixture f;
    f.openTab();
    f.header(1)->sellect();
    NewWindowRequest request = f.view(1)->hooks().askNewWindow(false);
    QVERIFY(!request.Cancel);
    QCOMPARE(request.ppDisp, f.page(3));
    QCOMPARE(f.activeTab(), 3);
    QCOMPARE(f.header(3)->place().left, f.header(2)->place().left + f.header(2)->place().width);
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
    f.press("pp");
    NewWindowRequest request = f.view(1)->hooks().askNewWindow(false);
    QVERIFY(request.Cancel);
    QVERIFY(!request.ppDisp);
    QCOMPARE(f.highestTab(), 1);
    // The notice makes room for itself: the pages move down under it.
    QVERIFY(f.warningShown());
    QCOMPARE(form.containerHeight(), full - 495);
    QCOMPARE(
        f.viewArea()->y(), f.control<QWidget>("CoolBar1")->height() + f.warningPanel()->height());
    QTest::mouseClick(f.warningPanel()->closer, Qt::LeftButton);
    emit f.view(1)->StatusTextChange("virus scan");
    request = f.view(1)->hooks().askNewWindow(false);
    QCOMPARE(f.warningTitle(), QStringLiteral("A popup window has been blocked."));
    QCOMPARE(f.warningMessage(),
        QStringLiteral("Popup windows are common comercials or ads that launches in a new "
                       "tab/window. to allow this popup please check the popup menu in the "
                       "settings menu"));
}

void TestTabs::popupFromABackgroundTab()
{
    FormFixture f;
    f.openTab();
    NewWindowRequest request = f.view(1)->hooks().askNewWindow(false);
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
    f.press("pp");
    QVERIFY(Input::clickFocus(f.page(1)));
    NewWindowRequest link;
    link.linkInNewTab = link.behind = true;
    for (int i = 0; i < 2 * PopupThrottle::burstLimit; ++i)
        QVERIFY(!f.view(1)->hooks().askNewWindow(link).Cancel);
    QCOMPARE(f.highestTab(), 1 + 2 * PopupThrottle::burstLimit);
    QCOMPARE(f.activeTab(), 1);
    QCOMPARE(f.topView(), f.page(1));
    QCOMPARE(QApplication::focusWidget(), f.page(1));
    QVERIFY(!f.warningShown());
    link.behind = false;
    const NewWindowRequest front = f.view(1)->hooks().askNewWindow(link);
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
    // Every index a tab can have is taken: no new tab, and never the requesting view.
    while (f.highestTab() < 32767) {
        f.openTab();
        // As the event loop would between the user's clicks.
        if (f.highestTab() % 512 == 0)
            QCoreApplication::processEvents();
    }
    flik *last = f.header(32767);
    NewWindowRequest request = f.view(1)->hooks().askNewWindow(false);
    QVERIFY(request.Cancel);
    QVERIFY(!request.ppDisp);
    QCOMPARE(f.highestTab(), 32767);
    QCOMPARE(f.activeTab(), 32767);
    // "Search Tab" opens nothing, and turns no existing tab into a search tab.
    f.press("mnusearch");
    QVERIFY(!last->look().searchTab);
    QCOMPARE(f.tabCount(), 32767);
    QCOMPARE(f.views.made.size(), 32768);
    QCOMPARE(f.activeTab(), 32767);
}

void TestTabs::navigationErrorShowsOrHidesThePanel()
{
    FormFixture f;
    f.view(1)->name = "A page";
    emit f.view(1)->NavigateError("http://x.test/", 404);
    QVERIFY(f.warningShown());
    QCOMPARE(f.warningTitle(), QStringLiteral("An error accured"));
    QCOMPARE(f.warningMessage(),
        QStringLiteral("The Page could not be found or an error in source code of HTML."));
    QTest::mouseClick(f.warningPanel()->closer, Qt::LeftButton);
    emit f.view(1)->NavigateError("http://x.test/", 500);
    QCOMPARE(f.warningTitle(), QStringLiteral("An error accured"));
    QVERIFY(f.warningShown());
    // A tab that has shown nothing hides the panel, whatever it showed, texts untouched.
    f.openTab();
    f.events->showWarning(ContentWarnings::titleText, ContentWarnings::virusMessage);
    emit f.view(2)->NavigateError("http://y.test/", -105);
    QVERIFY(!f.warningShown());
    QCOMPARE(f.warningMessage(), ContentWarnings::virusMessage);
}

QTEST_MAIN(TestTabs)
#include "tst_tabs.moc"

// Closing tabs, on fake page views: what comes in front, where the keyboard goes, what
// is kept to bring back.
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

class TestTabClosing : public QObject
{
    Q_OBJECT
private slots:
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
};

void TestTabClosing::closingABackgroundTabKeepsTheActiveOne()
{
    FormFixture f;
    f.openTab();
    f.openTab();
    const float firstLeft = f.header(1)->place().left;
    const float thirdLeft = f.header(3)->place().left;
    const float secondWidth = f.header(2)->place().width;
    f.clickClose(2);
    QCOMPARE(f.activeTab(), 3);
    QCOMPARE(f.previousTab(), 2);
    QCOMPARE(f.header(3)->place().left, thirdLeft - secondWidth);
    QCOMPARE(f.header(1)->place().left, firstLeft);
    QVERIFY(!f.header(2) && !f.page(2) && !f.source(2));
    QCOMPARE(f.header(3)->look().bevel, 1);
}

void TestTabClosing::closingABackgroundTabLeavesTheFrontAlone()
{
    // Closing once brought the tab in front on its way out: its sleeping page loaded again,
    // and the front page's full screen ended.
    FormFixture f;
    f.form->show();
    f.openTab();
    f.openTab();
    const QPointer<FakePageView> sleeping = f.view(1);
    sleeping->resting = PageView::Rest::Asleep;
    QVERIFY(f.view(3)->hooks().askFullScreen(true));
    f.clickClose(1);
    QCOMPARE(sleeping->wakes, 0);
    QCOMPARE(f.view(3)->fullScreenExits, 0);
    QVERIFY(f.view(3)->inFront && f.form->isFullScreen());
    QCOMPARE(f.activeTab(), 3);
    QCOMPARE(f.previousTab(), 1);
}

void TestTabClosing::closingAPrintingTabEndsItsPrint()
{
    FormFixture f;
    f.form->show();
    f.view(1)->url = "http://one.test/";
    f.form->pageTools().printPage();
    QPrintDialog *dialog = f.form->findChild<QPrintDialog *>();
    QVERIFY(dialog);
    dialog->accept();
    QCOMPARE(f.statusText(), QStringLiteral("Printing..."));
    f.clickClose(1);
    QTRY_COMPARE(f.statusText(), QStringLiteral("Printing failed"));
}

void TestTabClosing::closedTabsComeBackNewestFirst()
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

void TestTabClosing::closingTheActiveTabGoesBack()
{
    FormFixture f;
    f.openTab();
    f.openTab();
    f.view(1)->url = "http://one.test/";
    f.header(1)->sellect();
    f.header(3)->sellect();
    f.clickClose(3);
    QCOMPARE(f.activeTab(), 1);
    QCOMPARE(f.addressText(), QStringLiteral("http://one.test/"));
    const QWidgetList stack = f.viewArea()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QCOMPARE(stack.last(), f.page(1));
    // The highest index is free again.
    QCOMPARE(f.highestTab(), 2);
}

void TestTabClosing::closingBackgroundThenActiveLeavesATabActive()
{
    FormFixture f;
    f.openTab();
    f.openTab();
    f.openTab(); // tabs 1-4, 4 active
    f.clickClose(2); // lastone is now the closed tab 2
    f.clickClose(4);
    // Tab 2 is gone: the nearest open tab to the left of 4 takes over.
    QCOMPARE(f.activeTab(), 3);
    QCOMPARE(f.header(3)->look().bevel, 1);
    f.header(1)->sellect();
    f.clickClose(3); // background: 1 stays
    f.clickClose(1); // lastone 3 is closed, nothing left of 1
    QCoreApplication::processEvents();
    QCOMPARE(f.tabCount(), 0);
    QCOMPARE(f.activeTab(), 0);
}

void TestTabClosing::closingTheOnlyTabLeavesNoneActive()
{
    FormFixture f;
    f.view(1)->url = "http://one.test/";
    f.header(1)->sellect();
    f.menuItem("sc")->setChecked(true);
    f.clickClose(1);
    QCoreApplication::processEvents();
    QCOMPARE(f.addressText(), QString());
    QVERIFY(!f.checked("sc"));
    // The templates take the place of an active tab, and are never shown or navigated.
    QCOMPARE(f.activeTab(), 0);
    QVERIFY(f.header(0)->isHidden());
    QVERIFY(f.page(0)->isHidden());
    f.addressBox()->setEditText("typed.test");
    f.enterAddress();
    f.press("back");
    f.press("stop");
    f.chooseZoom(1);
    f.press("sc");
    QVERIFY(f.view(0)->navigated.isEmpty());
    QCOMPARE(f.view(0)->backs, 0);
    QCOMPARE(f.view(0)->stops, 0);
    QVERIFY(f.view(0)->zoomLevels.isEmpty());
    QVERIFY(!f.checked("sc"));
    // Opening a tab again works as at start.
    f.openTab();
    QCOMPARE(f.highestTab(), 1);
    QCOMPARE(f.header(1)->place().left, 405.0f);
    QCOMPARE(f.activeTab(), 1);
}

void TestTabClosing::closingWithHolesMovesOnlyLoadedHeaders()
{
    FormFixture f;
    for (int i = 0; i < 4; ++i)
        f.openTab(); // tabs 1-5
    f.clickClose(4);
    const float fifthLeft = f.header(5)->place().left;
    const float firstLeft = f.header(1)->place().left;
    const float secondWidth = f.header(2)->place().width;
    f.clickClose(2);
    QCOMPARE(f.header(5)->place().left, fifthLeft - secondWidth);
    QCOMPARE(f.header(1)->place().left, firstLeft);
    QCOMPARE(f.header(3)->place().left, f.header(1)->place().left + f.header(1)->place().width);
    QCOMPARE(f.activeTab(), 5);
}

void TestTabClosing::nearestTabToTheLeftComesFirst()
{
    FormFixture f;
    for (int i = 0; i < 4; ++i)
        f.openTab(); // tabs 1-5
    f.header(3)->sellect();
    f.clickClose(4); // background: 3 stays, and lastone becomes the closed 4
    f.clickClose(3);
    // Open tabs on both sides of 3; the left one wins.
    QCOMPARE(f.activeTab(), 2);
    QCOMPARE(f.header(2)->look().bevel, 1);
}

void TestTabClosing::closingTheFocusedPageActivatesTheRememberedTab()
{
    // Hiding the focused page passes the focus on along the focus chain; the focus must not
    // choose the tab that becomes active.
    FormFixture f;
    f.openTab();
    f.openTab();
    f.header(1)->sellect();
    f.header(2)->sellect();
    QVERIFY(Input::clickFocus(f.page(2)));
    QCOMPARE(f.activeTab(), 2);
    QTest::mouseClick(f.headerPart<QToolButton>(2, "closer"), Qt::LeftButton);
    QCOMPARE(f.activeTab(), 1);
    QCOMPARE(f.header(1)->look().bevel, 1);
    QCOMPARE(f.header(3)->look().bevel, 0);
    // The keyboard goes with the eyes, to the page now shown.
    QCOMPARE(QApplication::focusWidget(), f.page(1));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(f.activeTab(), 1);
    // The last tab closing with the focus leaves it in the address box, and no tab active.
    f.clickClose(3);
    QVERIFY(Input::clickFocus(f.page(1)));
    QTest::mouseClick(f.headerPart<QToolButton>(1, "closer"), Qt::LeftButton);
    QCOMPARE(f.activeTab(), 0);
    QCOMPARE(QApplication::focusWidget(), f.addressBox());
}

void TestTabClosing::closingDestroysAfterTheHandler()
{
    FormFixture f;
    f.openTab();
    QPointer<::flik> header = f.header(2);
    QPointer<PageView> view = f.page(2);
    QPointer<SourceEditor> editor = f.source(2);
    f.clickClose(2);
    QVERIFY(header && view && editor); // still there while the click is handled
    QTest::qWait(0); // the click's handling ends
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!header && !view && !editor);
}

QTEST_MAIN(TestTabClosing)
#include "tst_tabclosing.moc"

// Start-up, the control arrays and opening tabs, on fake page views.
#include "hosted/sourceeditor.h"
#include "main_window/controlarray.h"
#include "main_window/mainstatusbar.h"
#include "main_window/warningpanel.h"
#include "support/formfixture.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

class TestForm1 : public QObject
{
    Q_OBJECT
private slots:
    void startUpState();
    void startUpNavigatesOnlyTabOne();
    void menusAndZoomItems();
    void newTabsAreFlushAndActive();
    void newTabAfterClosingReusesOnlyTheHighestIndex();
    void newTabViewIsBlankAndSourceHidden();
    void headerFocusActivatesItsTab();
    void controlsCarryAccessibleNames();
    void tabIndexRounding_data();
    void tabIndexRounding();
    void controlArrayRefusesBadIndices();
};

void TestForm1::startUpState()
{
    FormFixture f;
    Form1 &form = *f.form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Tessarvine 2 BETA"));
    QCOMPARE(form.current, 1.0f);
    QCOMPARE(form.lastone, 0.0f);
    QCOMPARE(form.flik.ubound(), 1);
    QCOMPARE(form.flik(1)->Left(), 405.0f);
    QVERIFY(!form.flik(1)->isHidden());
    QVERIFY(!form.WebBrowser(1)->isHidden());
    QVERIFY(form.Codetext(1)->isHidden());
    QVERIFY(form.infopanel->isHidden());
    QVERIFY(form.lock->isHidden());
    QVERIFY(form.downloadico->isHidden());
    QVERIFY(form.ws->isChecked());
    QVERIFY(form.pp->isChecked());
    QVERIFY(!form.sc->isChecked());
    // Templates stay hidden, the template header left of the strip.
    QVERIFY(form.flik(0)->isHidden());
    QVERIFY(form.WebBrowser(0)->isHidden());
    QVERIFY(form.Codetext(0)->isHidden());
    QCOMPARE(form.flik(0)->Left(), -1440.0f);
    // Every source view is created from the template after it was set to HTML.
    QCOMPARE(form.Codetext(1)->language(), QStringLiteral("HTML"));
    QVERIFY(form.Codetext(1)->defaultProperty());
    QCOMPARE(form.flik(1)->StatusBar1->bevel(), 1);
}

void TestForm1::startUpNavigatesOnlyTabOne()
{
    FormFixture f;
    QCOMPARE(f.view(1)->navigated, QStringList { QStringLiteral("start.test/start/") });
    QVERIFY(f.view(0)->navigated.isEmpty());
    // The second activation after the navigation shows the view's address (none yet).
    QCOMPARE(f.form->address->currentText(), QString());
}

void TestForm1::menusAndZoomItems()
{
    FormFixture f;
    QStringList menus;
    for (QAction *menu : f.form->menuBar()->actions())
        menus << menu->text();
    QCOMPARE(menus, (QStringList { "New", "Settings", "View", "Help" }));
    QCOMPARE(f.form->mnutab->text(), QStringLiteral("Tab"));
    QCOMPARE(f.form->mnusearch->text(), QStringLiteral("Search Tab"));
    QCOMPARE(f.form->ws->text(), QStringLiteral("Warning signs"));
    QCOMPARE(f.form->pp->text(), QStringLiteral("Popups"));
    QCOMPARE(f.form->sc->text(), QStringLiteral("Source code"));
    QCOMPARE(f.form->vbf->text(), QStringLiteral("About"));
    QStringList zoom;
    for (QAction *item : f.form->zoomButton->menu()->actions())
        zoom << item->text();
    QCOMPARE(zoom, (QStringList { "25%", "50%", "100%", "125%", "150%" }));
}

void TestForm1::newTabsAreFlushAndActive()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.flik(1)->Caption(QStringLiteral("A page with a long enough name to grow"));
    form.newflik_Click();
    QCOMPARE(form.flik.ubound(), 2);
    QCOMPARE(form.flik(2)->Left(), form.flik(1)->Left() + form.flik(1)->Width());
    QCOMPARE(form.current, 2.0f);
    QCOMPARE(form.lastone, 1.0f);
    QCOMPARE(form.flik(1)->StatusBar1->bevel(), 0);
    QCOMPARE(form.flik(2)->StatusBar1->bevel(), 1);
    QCOMPARE(form.flik(2)->myindex, 2.0f);
    form.mnutab_Click();
    QCOMPARE(form.flik.ubound(), 3);
    QCOMPARE(form.flik(3)->Left(), form.flik(2)->Left() + 1845.0f);
    QCOMPARE(form.lastone, 2.0f);
    // The three arrays grow together.
    QCOMPARE(form.WebBrowser.ubound(), 3);
    QCOMPARE(form.Codetext.ubound(), 3);
    // Only page views are navigated by start-up; new tabs stay blank.
    QVERIFY(f.view(3)->navigated.isEmpty());
}

void TestForm1::newTabAfterClosingReusesOnlyTheHighestIndex()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.newflik_Click();
    const float thirdLeft = form.flik(3)->Left();
    form.flik(2)->closer_Click();
    QCoreApplication::processEvents();
    form.newflik_Click();
    QCOMPARE(form.flik.ubound(), 4);
    QVERIFY(!form.flik(2));
    QCOMPARE(form.flik(4)->Left(), form.flik(3)->Left() + form.flik(3)->Width());
    QCOMPARE(form.flik(3)->Left(), thirdLeft - 1845.0f);

    form.flik(4)->closer_Click();
    QCoreApplication::processEvents();
    form.newflik_Click();
    QCOMPARE(form.flik.ubound(), 4);
    QCOMPARE(form.flik(4)->Left(), form.flik(3)->Left() + form.flik(3)->Width());
}

void TestForm1::newTabViewIsBlankAndSourceHidden()
{
    FormFixture f;
    f.form->newflik_Click();
    QVERIFY(f.view(2)->navigated.isEmpty());
    QVERIFY(!f.form->WebBrowser(2)->isHidden());
    QVERIFY(f.form->Codetext(2)->isHidden());
    // The new view is on top of the first tab's.
    const QWidgetList stack
        = f.form->container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QVERIFY(stack.indexOf(f.form->WebBrowser(2)) > stack.indexOf(f.form->WebBrowser(1)));
}

void TestForm1::headerFocusActivatesItsTab()
{
    FormFixture f;
    f.form->newflik_Click();
    f.form->flik_GotFocus(1);
    QCOMPARE(f.form->current, 1.0f);
    QCOMPARE(f.form->lastone, 2.0f);
    // A closed or never opened index is skipped quietly.
    f.form->flik_GotFocus(7);
    QCOMPARE(f.form->current, 1.0f);
}

void TestForm1::controlsCarryAccessibleNames()
{
    FormFixture f;
    Form1 &form = *f.form;
    // The buttons without captions are named by what they do; a tab by its caption.
    QCOMPARE(form.newflik->accessibleName(), QStringLiteral("New tab"));
    QCOMPARE(form.zoomButton->accessibleName(), QStringLiteral("Zoom"));
    QCOMPARE(form.infopanel->closer->accessibleName(), QStringLiteral("Close warning"));
    QCOMPARE(form.flik(1)->closer->accessibleName(), QStringLiteral("Close tab"));
    QStringList toolbar;
    for (QAction *action : form.Toolbar1->actions())
        toolbar << action->text();
    QCOMPARE(toolbar.mid(0, 3), (QStringList { "Back", "Forward", "Stop" }));
    form.flik(1)->Caption("News of the day");
    QCOMPARE(form.flik(1)->accessibleName(), QStringLiteral("News of the day"));
    QCOMPARE(form.address->accessibleName(), QStringLiteral("Address"));
    // A tab header is reachable with the keyboard.
    QVERIFY(form.flik(1)->focusPolicy() & Qt::TabFocus);
}

void TestForm1::tabIndexRounding_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("index");
    QTest::newRow("whole") << 3.0f << 3;
    QTest::newRow("rounds up") << 2.6f << 3;
    QTest::newRow("rounds down") << 2.4f << 2;
    QTest::newRow("highest") << 32767.0f << 32767;
    QTest::newRow("too high") << 40000.0f << -1;
    QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << -1;
}

void TestForm1::tabIndexRounding()
{
    QFETCH(float, value);
    QFETCH(int, index);
    const auto tab = toTabIndex(value);
    QCOMPARE(tab ? int(*tab) : -1, index);
}

void TestForm1::controlArrayRefusesBadIndices()
{
    ControlArray<QObject> array;
    QObject a, b;
    QVERIFY(array.load(0, &a));
    QVERIFY(!array.load(0, &b));
    QVERIFY(!array.load(-1, &b));
    QVERIFY(!array.load(32768, &b));
    QVERIFY(array.load(32767, &b));
    QCOMPARE(array.ubound(), 32767);
    QCOMPARE(array.unload(32767), &b);
    QCOMPARE(array.ubound(), 0);
    QVERIFY(!array(5));
    QVERIFY(!array.unload(5));
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"

// Activating a tab: its header, its page or source, the address box and the lock, on fake
// page views.
#include "support/formfixture.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tabs/sourceeditor.h"
#include "window/mainstatusbar.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTest>

class TestActivation : public QObject
{
    Q_OBJECT
private slots:
    void activationMarksOnlyThisHeader();
    void activatingTheActiveTabKeepsLastone();
    void activationSkipsClosedTabs();
    void activationShowsTheSourceWhenMarked();
    void activationShowsTheTabsAddress();
    void activationShowsEncryption();
};

void TestActivation::activationMarksOnlyThisHeader()
{
    FormFixture f;
    f.openTab();
    f.header(1)->sellect();
    QCOMPARE(f.header(0)->look().bevel, 0);
    QCOMPARE(f.header(1)->look().bevel, 1);
    QCOMPARE(f.header(2)->look().bevel, 0);
    f.header(2)->sellect();
    QCOMPARE(f.header(1)->look().bevel, 0);
    QCOMPARE(f.header(2)->look().bevel, 1);
    QCOMPARE(f.previousTab(), 1);
    QCOMPARE(f.activeTab(), 2);
}

void TestActivation::activatingTheActiveTabKeepsLastone()
{
    FormFixture f;
    f.openTab();
    f.header(2)->sellect();
    QCOMPARE(f.previousTab(), 1);
    QCOMPARE(f.activeTab(), 2);
}

void TestActivation::activationSkipsClosedTabs()
{
    FormFixture f;
    f.openTab();
    f.openTab();
    f.header(1)->sellect();
    f.clickClose(1);
    QCoreApplication::processEvents();
    QVERIFY(!f.header(1));
    f.header(2)->sellect();
    QCOMPARE(f.activeTab(), 2);
    QCOMPARE(f.header(2)->look().bevel, 1);
    QCOMPARE(f.header(3)->look().bevel, 0);
    // The active tab is copied into lastone like any other, however far the gap.
    f.header(3)->sellect();
    QCOMPARE(f.previousTab(), 2);
    QCOMPARE(f.activeTab(), 3);
}

void TestActivation::activationShowsTheSourceWhenMarked()
{
    FormFixture f;
    f.openTab();
    f.header(1)->setSourceShown(true);
    f.header(1)->sellect();
    QVERIFY(f.checked("sc"));
    QVERIFY(!f.source(1)->isHidden());
    const QWidgetList stack = f.viewArea()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QCOMPARE(stack.last(), f.source(1));
    f.header(2)->sellect();
    QVERIFY(!f.checked("sc"));
    QCOMPARE(f.viewArea()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).last(), f.page(2));
}

void TestActivation::activationShowsTheTabsAddress()
{
    FormFixture f;
    f.view(1)->url = "http://one.test/";
    f.openTab();
    f.view(2)->url = "http://two.test/";
    f.addressBox()->setEditText("typed but not entered");
    f.header(1)->sellect();
    QCOMPARE(f.addressText(), QStringLiteral("http://one.test/"));
    f.view(2)->url.clear();
    f.header(2)->sellect();
    QCOMPARE(f.addressText(), QString());
}

void TestActivation::activationShowsEncryption()
{
    FormFixture f;
    f.openTab();
    f.header(1)->safe();
    f.header(1)->sellect();
    QVERIFY(!f.panel2Picture().isNull());
    QCOMPARE(f.panel2Text(), QStringLiteral("Encrypted"));
    f.header(2)->sellect();
    QVERIFY(f.panel2Picture().isNull());
    QCOMPARE(f.panel2Text(), QString());
}

QTEST_MAIN(TestActivation)
#include "tst_activation.moc"

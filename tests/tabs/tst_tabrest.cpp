// Covered tabs rest: frozen after a sixth of the delay, asleep after all of it; the tab in
// front never, and coming in front wakes a tab.
#include "support/formfixture.h"
#include "tabs/tabrest.h"

#include <QTest>

class TestTabRest : public QObject
{
    Q_OBJECT
private slots:
    void coveredTabsFreezeThenSleep();
    void shortOfMemoryTabsSleepOneAfterAnother();
};

void TestTabRest::coveredTabsFreezeThenSleep()
{
    using Rest = PageView::Rest;
    BrowserAddresses addresses { "start.test/start/", "http://search.test" };
    addresses.sleepAfterMs = 1200;
    FormFixture f(addresses);
    f.openTab();
    f.openTab();
    QVERIFY(f.settle("tab 1 frozen", [&] { return f.view(1)->resting == Rest::Frozen; }));
    QVERIFY(f.settle("tab 1 asleep", [&] { return f.view(1)->resting == Rest::Asleep; }));
    QVERIFY(f.settle("tab 2 asleep", [&] { return f.view(2)->resting == Rest::Asleep; }));
    QCOMPARE(f.view(3)->resting, Rest::Awake);
    f.activate(1);
    QCOMPARE(f.view(1)->resting, Rest::Awake);
    QTest::qWait(500); // tab 1 would be put back to rest within this while
    QCOMPARE(f.view(1)->resting, Rest::Awake);
}

void TestTabRest::shortOfMemoryTabsSleepOneAfterAnother()
{
    // The tab asleep already was taken again at every look, so that only one ever slept.
    using Rest = PageView::Rest;
    BrowserAddresses addresses { "start.test/start/", "http://search.test" };
    addresses.sleepAfterMs = 60 * 60 * 1000;
    FormFixture f(addresses);
    f.form->findChild<TabRest *>()->setMemoryProbe([] { return 0.01; });
    f.openTab();
    f.openTab();
    f.openTab();
    QVERIFY(f.settle(
        "three covered tabs asleep",
        [&] {
            return f.view(1)->resting == Rest::Asleep && f.view(2)->resting == Rest::Asleep
                && f.view(3)->resting == Rest::Asleep;
        },
        20000));
    QCOMPARE(f.view(4)->resting, Rest::Awake);
}

QTEST_MAIN(TestTabRest)
#include "tst_tabrest.moc"

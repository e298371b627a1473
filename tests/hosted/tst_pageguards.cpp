// What a page may ask beyond showing itself, as counted, without the engine.
#include "hosted/pageguards.h"

#include <QTest>

class TestPageGuards : public QObject
{
    Q_OBJECT
private slots:
    void downloadsAreBoundedUntilTheUserActs();
    void dialogsAreBoundedPerLoadAndRefusedOnceAloud();
    void loginsAreBoundedPerLoad();
};

void TestPageGuards::downloadsAreBoundedUntilTheUserActs()
{
    // Three at first, then one a minute however often the page loads itself again, until
    // the user acts in the tab.
    PageGuards guards;
    const qint64 minute = PageGuards::downloadRefillMs;
    qint64 now = 1000;
    for (int i = 0; i < PageGuards::downloadsWithoutUserAction; ++i)
        QVERIFY(guards.allowDownload(now));
    guards.loadStarted();
    QVERIFY(!guards.allowDownload(now));
    now += minute - 1;
    QVERIFY(!guards.allowDownload(now));
    now += 1;
    QVERIFY(guards.allowDownload(now));
    QVERIFY(!guards.allowDownload(now));
    // Earned back while nothing was asked, no more than the three.
    now += 10 * minute;
    for (int i = 0; i < PageGuards::downloadsWithoutUserAction; ++i)
        QVERIFY(guards.allowDownload(now));
    QVERIFY(!guards.allowDownload(now));
    guards.userActed();
    for (int i = 0; i < PageGuards::downloadsWithoutUserAction; ++i)
        QVERIFY(guards.allowDownload(now));
    QVERIFY(!guards.allowDownload(now));
}

void TestPageGuards::dialogsAreBoundedPerLoadAndRefusedOnceAloud()
{
    PageGuards guards;
    for (int i = 0; i < PageGuards::dialogsPerPage; ++i)
        QVERIFY(guards.allowDialog());
    int toldRefusals = 0;
    for (int i = 0; i < 1000; ++i) {
        QVERIFY(!guards.allowDialog());
        toldRefusals += guards.firstDialogRefused() ? 1 : 0;
    }
    QCOMPARE(toldRefusals, 1);
    guards.loadStarted();
    QVERIFY(guards.allowDialog());
}

void TestPageGuards::loginsAreBoundedPerLoad()
{
    // Wrong credentials ask again; a site that rejects every answer would ask for ever.
    PageGuards guards;
    for (int i = 0; i < PageGuards::loginsPerLoad; ++i)
        QVERIFY(guards.allowLogin());
    QVERIFY(!guards.allowLogin());
    guards.userActed();
    QVERIFY(!guards.allowLogin());
    guards.loadStarted();
    QVERIFY(guards.allowLogin());
}

QTEST_GUILESS_MAIN(TestPageGuards)
#include "tst_pageguards.moc"

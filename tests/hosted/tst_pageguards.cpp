// What a page may ask beyond showing itself, as counted, without the engine.
#include "hosted/pageguards.h"

#include <QTest>

class TestPageGuards : public QObject
{
    Q_OBJECT
private slots:
    void downloadsAreBoundedUntilTheUserActs();
    void dialogsAreBoundedPerLoadAndRefusedOnceAloud();
    void theUsersAskingIsTakenOnce();
};

void TestPageGuards::downloadsAreBoundedUntilTheUserActs()
{
    PageGuards guards;
    guards.loadStarted();
    for (int i = 0; i < PageGuards::downloadsWithoutUserAction; ++i)
        QVERIFY(guards.allowDownload());
    QVERIFY(!guards.allowDownload());
    // A navigation that turns into a download shows no page: no fresh allowance.
    guards.loadStarted();
    QVERIFY(!guards.allowDownload());
    // A page shown counts only the downloads of its own load.
    guards.loadStarted();
    QVERIFY(!guards.allowDownload());
    guards.pageShown();
    QVERIFY(guards.allowDownload());
    guards.userActed();
    for (int i = 0; i < PageGuards::downloadsWithoutUserAction; ++i)
        QVERIFY(guards.allowDownload());
    QVERIFY(!guards.allowDownload());
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

void TestPageGuards::theUsersAskingIsTakenOnce()
{
    PageGuards guards;
    guards.windowRequested(true);
    QVERIFY(guards.takeUserAskedForWindow());
    QVERIFY(!guards.takeUserAskedForWindow());
    guards.windowRequested(false);
    QVERIFY(!guards.takeUserAskedForWindow());
}

QTEST_GUILESS_MAIN(TestPageGuards)
#include "tst_pageguards.moc"

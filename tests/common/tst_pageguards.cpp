// What a page may ask beyond showing itself, as counted, without the engine.
#include "common/pageguards.h"
#include "hosted/pageinput.h"
#include "hosted/questions/desktopnotifications.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QWidget>

class TestPageGuards : public QObject
{
    Q_OBJECT
private slots:
    void downloadsAreBoundedUntilTheUserActs();
    void dialogsAreBoundedPerLoadAndRefusedOnceAloud();
    void loginsAreBoundedPerLoad();
    void everyInputMarksThePage();
    void notificationsArePlainTextAndBoundedPerSite();
};

// A site's words reach the desktop's notification service, which may read markup in both
// lines; and a site allowed once could otherwise flood the desktop.
void TestPageGuards::notificationsArePlainTextAndBoundedPerSite()
{
    const auto shown = DesktopNotifications::shown(QUrl(QStringLiteral("https://site.test/x")),
        QStringLiteral("<b>bold</b> <a href='x'>link</a>"), QStringLiteral("<i>body</i> & more"));
    QCOMPARE(shown.summary,
        QStringLiteral("site.test: &lt;b&gt;bold&lt;/b&gt; &lt;a href='x'&gt;link&lt;/a&gt;"));
    QCOMPARE(shown.body, QStringLiteral("&lt;i&gt;body&lt;/i&gt; &amp; more"));

    DesktopNotifications::Flood flood;
    const Site one = *Site::of(QUrl(QStringLiteral("https://one.test")));
    const Site other = *Site::of(QUrl(QStringLiteral("https://other.test")));
    int shownCount = 0;
    for (int i = 0; i < 300; ++i)
        shownCount += flood.allow(one, 1000) ? 1 : 0;
    QCOMPARE(shownCount, DesktopNotifications::Flood::most);
    QVERIFY(flood.allow(other, 1000));
    QVERIFY(!flood.allow(one, 1000 + DesktopNotifications::Flood::windowMs - 1));
    QVERIFY(flood.allow(one, 1000 + DesktopNotifications::Flood::windowMs));
}

// A page given anything (a file dropped on it above all) may hold it in a form: it must
// not sleep and lose it, until a new document shows.
void TestPageGuards::everyInputMarksThePage()
{
    PageGuards guards;
    PageInput input(guards, nullptr);
    QWidget page;
    input.watch(&page);
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(QStringLiteral("/tmp/letter.txt")) });
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // As the engine's widget that takes the drop passes it (only a window's drag and drop
    // delivers one to a widget).
    static_cast<QObject &>(input).eventFilter(&page, &drop);
    QVERIFY(input.givenSinceShown());
    input.documentShown();
    QVERIFY(!input.givenSinceShown());
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QCoreApplication::sendEvent(&page, &key);
    QVERIFY(input.givenSinceShown());
}

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

QTEST_MAIN(TestPageGuards)
#include "tst_pageguards.moc"

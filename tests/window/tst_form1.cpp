// Start-up, the control arrays and opening tabs, on fake page views.
#include "common/tabindex.h"
#include "page_tools/downloadslist.h"
#include "page_tools/pagetools.h"
#include "support/formfixture.h"
#include "support/input.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tabs/sourceeditor.h"
#include "window/mainstatusbar.h"
#include "window/warningpanel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

class TestForm1 : public QObject
{
    Q_OBJECT
private slots:
    void startUpState();
    void startUpNavigatesOnlyTabOne();
    void newTabsAreFlushAndActive();
    void newTabAfterClosingReusesOnlyTheHighestIndex();
    void newTabViewIsBlankAndSourceHidden();
    void headerFocusActivatesItsTab();
    void controlsCarryAccessibleNames();
    void tabIndexRounding_data();
    void tabIndexRounding();
    void downloadDetails_data();
    void downloadDetails();
    void quittingWhileDownloadingAsksFirst();
    void closingAsksEachPageInTurn();
};

void TestForm1::startUpState()
{
    FormFixture f;
    Form1 &form = *f.form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Tessarvine 2 BETA"));
    QCOMPARE(f.activeTab(), 1);
    QCOMPARE(f.previousTab(), 0);
    QCOMPARE(f.highestTab(), 1);
    QCOMPARE(f.header(1)->place().left, 405.0f);
    QVERIFY(!f.header(1)->isHidden());
    QVERIFY(!f.page(1)->isHidden());
    QVERIFY(f.source(1)->isHidden());
    QVERIFY(!f.warningShown());
    QVERIFY(f.control<QLabel>("lock")->isHidden());
    QVERIFY(f.control<QLabel>("downloadico")->isHidden());
    QVERIFY(f.checked("ws"));
    QVERIFY(f.checked("pp"));
    QVERIFY(!f.checked("sc"));
    // Templates stay hidden, the template header left of the strip.
    QVERIFY(f.header(0)->isHidden());
    QVERIFY(f.page(0)->isHidden());
    QVERIFY(f.source(0)->isHidden());
    QCOMPARE(f.header(0)->place().left, -1440.0f);
    // Every source view is created from the template after it was set to HTML.
    QCOMPARE(f.source(1)->language(), QStringLiteral("HTML"));
    QVERIFY(f.source(1)->defaultProperty());
    QCOMPARE(f.header(1)->look().bevel, 1);
}

void TestForm1::startUpNavigatesOnlyTabOne()
{
    FormFixture f;
    QCOMPARE(f.view(1)->navigated, QStringList { QStringLiteral("start.test/start/") });
    QVERIFY(f.view(0)->navigated.isEmpty());
    // The second activation after the navigation shows the view's address (none yet).
    QCOMPARE(f.addressText(), QString());
}

void TestForm1::newTabsAreFlushAndActive()
{
    FormFixture f;
    f.header(1)->Caption(QStringLiteral("A page with a long enough name to grow"));
    f.openTab();
    QCOMPARE(f.highestTab(), 2);
    QCOMPARE(f.header(2)->place().left, f.header(1)->place().left + f.header(1)->place().width);
    QCOMPARE(f.activeTab(), 2);
    QCOMPARE(f.previousTab(), 1);
    QCOMPARE(f.header(1)->look().bevel, 0);
    QCOMPARE(f.header(2)->look().bevel, 1);
    QCOMPARE(f.header(2)->myindex, 2.0f);
    f.press("mnutab");
    QCOMPARE(f.highestTab(), 3);
    QCOMPARE(f.header(3)->place().left, f.header(2)->place().left + 1845.0f);
    QCOMPARE(f.previousTab(), 2);
    // The three arrays grow together.
    QCOMPARE(f.highestTab(), 3);
    QCOMPARE(f.highestTab(), 3);
    // Only page views are navigated by start-up; new tabs stay blank.
    QVERIFY(f.view(3)->navigated.isEmpty());
}

void TestForm1::newTabAfterClosingReusesOnlyTheHighestIndex()
{
    FormFixture f;
    f.openTab();
    f.openTab();
    const float thirdLeft = f.header(3)->place().left;
    f.clickClose(2);
    QCoreApplication::processEvents();
    f.openTab();
    QCOMPARE(f.highestTab(), 4);
    QVERIFY(!f.header(2));
    QCOMPARE(f.header(4)->place().left, f.header(3)->place().left + f.header(3)->place().width);
    QCOMPARE(f.header(3)->place().left, thirdLeft - 1845.0f);

    f.clickClose(4);
    QCoreApplication::processEvents();
    f.openTab();
    QCOMPARE(f.highestTab(), 4);
    QCOMPARE(f.header(4)->place().left, f.header(3)->place().left + f.header(3)->place().width);
}

void TestForm1::newTabViewIsBlankAndSourceHidden()
{
    FormFixture f;
    f.openTab();
    QVERIFY(f.view(2)->navigated.isEmpty());
    QVERIFY(!f.page(2)->isHidden());
    QVERIFY(f.source(2)->isHidden());
    // The new view is on top of the first tab's.
    const QWidgetList stack = f.viewArea()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QVERIFY(stack.indexOf(f.page(2)) > stack.indexOf(f.page(1)));
}

void TestForm1::headerFocusActivatesItsTab()
{
    FormFixture f;
    f.openTab();
    // The header takes the focus as the Tab key gives it.
    QVERIFY(Input::clickFocus(f.addressBox()));
    f.header(1)->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.activeTab(), 1);
    QCOMPARE(f.previousTab(), 2);
}

void TestForm1::controlsCarryAccessibleNames()
{
    FormFixture f;
    // The buttons without captions are named by what they do; a tab by its caption.
    QCOMPARE(f.control<QToolButton>("newflik")->accessibleName(), QStringLiteral("New tab"));
    QCOMPARE(f.control<QToolButton>("zoom")->accessibleName(), QStringLiteral("Zoom"));
    QCOMPARE(f.warningPanel()->closer->accessibleName(), QStringLiteral("Close warning"));
    QCOMPARE(f.headerPart<QToolButton>(1, "closer")->accessibleName(), QStringLiteral("Close tab"));
    QStringList toolbar;
    for (QAction *action : f.control<QToolBar>("Toolbar1")->actions())
        toolbar << action->text();
    QCOMPARE(toolbar.mid(0, 3), (QStringList { "Back", "Forward", "Stop" }));
    f.header(1)->Caption("News of the day");
    QCOMPARE(f.header(1)->accessibleName(), QStringLiteral("News of the day"));
    QCOMPARE(f.addressBox()->accessibleName(), QStringLiteral("Address"));
    // A tab header is reachable with the keyboard.
    QVERIFY(f.header(1)->focusPolicy() & Qt::TabFocus);
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

void TestForm1::downloadDetails_data()
{
    using S = Download::State;
    QTest::addColumn<Download::State>("state");
    QTest::addColumn<qint64>("received");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<qint64>("speed");
    QTest::addColumn<QString>("detail");
    QTest::newRow("running") << S::Running << qint64(1536) << qint64(4096) << qint64(512)
                             << "1.50 KiB of 4.00 KiB, 512 bytes/s";
    QTest::newRow("size unknown, speed not yet")
        << S::Running << qint64(10) << qint64(-1) << qint64(0) << "10 bytes";
    QTest::newRow("done") << S::Done << qint64(4096) << qint64(4096) << qint64(0)
                          << "Done, 4.00 KiB";
    QTest::newRow("failed") << S::Failed << qint64(10) << qint64(4096) << qint64(0) << "Failed";
    QTest::newRow("cancelled") << S::Cancelled << qint64(10) << qint64(-1) << qint64(9)
                               << "Cancelled";
}

void TestForm1::downloadDetails()
{
    QFETCH(Download::State, state);
    QFETCH(qint64, received);
    QFETCH(qint64, total);
    QFETCH(qint64, speed);
    QFETCH(QString, detail);
    QCOMPARE(downloadDetail(state, received, total, speed), detail);
}

void TestForm1::quittingWhileDownloadingAsksFirst()
{
    FormFixture f;
    f.form->show();
    int cancels = 0;
    auto *running = new Download(
        "big.iso", [&cancels] { ++cancels; }, f.form);
    f.form->pageTools().addDownload(running);
    auto *done = new Download(
        "done.txt", [] {}, f.form);
    f.form->pageTools().addDownload(done);
    f.form->setRunningDownloads([running, done] {
        QList<Download *> still;
        for (Download *download : { running, done })
            if (download->state() == Download::State::Running)
                still << download;
        return still;
    });
    f.form->findChildren<Download *>().last()->ended(Download::State::Done, "/tmp/done.txt");
    QVERIFY(!f.form->close());
    auto *question = f.form->findChild<QMessageBox *>();
    QVERIFY(question && question->isVisible());
    question->button(QMessageBox::No)->click();
    QVERIFY(f.form->isVisible());
    QCOMPARE(cancels, 0);
    QVERIFY(!f.form->close());
    QTRY_VERIFY(f.form->findChild<QMessageBox *>());
    f.form->findChild<QMessageBox *>()->button(QMessageBox::Yes)->click();
    QCOMPARE(cancels, 1);
    QCOMPARE(running->state(), Download::State::Cancelled);
    QVERIFY(!f.form->isVisible());
}

void TestForm1::closingAsksEachPageInTurn()
{
    FormFixture f;
    f.form->show();
    f.openTab();
    f.view(1)->asksToLeave = f.view(2)->asksToLeave = true;
    // A tab whose page stays is kept.
    f.clickClose(2);
    QVERIFY(f.view(2)->leaveAsked);
    std::exchange(f.view(2)->leaveAsked, {})(false);
    QCOMPARE(f.highestTab(), 2);
    // The window asks one page at a time; one that stays keeps the window.
    QVERIFY(!f.form->close());
    QVERIFY(f.view(1)->leaveAsked && !f.view(2)->leaveAsked);
    std::exchange(f.view(1)->leaveAsked, {})(true);
    QVERIFY(f.view(2)->leaveAsked);
    std::exchange(f.view(2)->leaveAsked, {})(false);
    QVERIFY(f.form->isVisible());
    // One patience for the window: what the first page spends without a word, the second
    // does not get, so that pages that never answer cannot hold the window a while each.
    QVERIFY(!f.form->close());
    QTest::qWait(400); // the first page spends part of the patience, answering nothing
    std::exchange(f.view(1)->leaveAsked, {})(true);
    QCOMPARE(f.view(1)->patiences.last(), PageView::leavePatienceMs);
    QVERIFY(f.view(2)->patiences.last() <= PageView::leavePatienceMs - 400);
    std::exchange(f.view(2)->leaveAsked, {})(true);
    QTRY_VERIFY(!f.form->isVisible());
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"

// Shortcut keys, pressed on the widget that holds the focus, on fake page views.
#include "support/formfixture.h"
#include "support/input.h"
#include "tab_header/flik.h"
#include "tabs/findbar.h"
#include "tabs/sourceeditor.h"
#include "window/keyboard.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QTest>

class TestKeyboard : public QObject
{
    Q_OBJECT
private slots:
    void cyclingSkipsGapsAndWraps_data();
    void cyclingSkipsGapsAndWraps();
    void tabKeysWorkFromAnyFocus();
    void escapeStopsUnlessTheAddressBoxTakesIt();
    void zoomKeysStepThroughTheMenusLevels();
    void findBarStepsThroughMatchesAndGoesWithItsTab();
    void sourceViewKeepsNoneOfTheBrowsersKeys();
    void withNoTabOnlyNewTabActs();
    void onlyThePageInFrontGoesFullScreenUntilEscOrItsTabGoes();
    void menusShowNoShortcuts();
};

void TestKeyboard::cyclingSkipsGapsAndWraps_data()
{
    QTest::addColumn<std::vector<int>>("open");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("next");
    QTest::addColumn<int>("previous");
    QTest::newRow("middle") << std::vector<int> { 1, 2, 3 } << 2 << 3 << 1;
    QTest::newRow("gaps") << std::vector<int> { 1, 4, 9 } << 4 << 9 << 1;
    QTest::newRow("wrap at the ends") << std::vector<int> { 2, 5 } << 5 << 2 << 2;
    QTest::newRow("closed current") << std::vector<int> { 1, 4, 9 } << 6 << 9 << 4;
    QTest::newRow("one tab") << std::vector<int> { 7 } << 7 << 7 << 7;
}

void TestKeyboard::cyclingSkipsGapsAndWraps()
{
    QFETCH(std::vector<int>, open);
    QFETCH(int, current);
    QFETCH(int, next);
    QFETCH(int, previous);
    QCOMPARE(KeyboardRules::cycledTab(open, current, 1), next);
    QCOMPARE(KeyboardRules::cycledTab(open, current, -1), previous);
    QVERIFY(!KeyboardRules::cycledTab({}, current, 1));
}

void TestKeyboard::tabKeysWorkFromAnyFocus()
{
    FormFixture f;
    // From a page, the new tab's address is typed at once.
    QVERIFY(Input::clickFocus(f.page(1)));
    Input::key(Qt::Key_T, Qt::ControlModifier);
    Input::type("two.test");
    QCOMPARE(f.addressText(), QStringLiteral("two.test"));
    Input::key(Qt::Key_T, Qt::ControlModifier);
    Input::key(Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(f.highestTab(), 4);
    f.clickClose(3); // a gap: tabs 1, 2 and 4
    f.header(2)->sellect();
    // From inside the page as from the address box.
    QVERIFY(Input::clickFocus(f.page(2)));
    Input::key(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(f.activeTab(), 4);
    Input::key(Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(f.activeTab(), 1);
    QVERIFY(Input::clickFocus(f.addressBox()));
    Input::key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.activeTab(), 4);
    Input::key(Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(f.activeTab(), 2);
    // Ctrl+W closes the active tab as its close box does: back to the tab before it.
    Input::key(Qt::Key_W, Qt::ControlModifier);
    QVERIFY(!f.header(2));
    QCOMPARE(f.activeTab(), 4);
    // Ctrl+L focuses the address box with its text selected.
    f.view(1)->url = "http://one.test/";
    f.header(1)->sellect();
    QVERIFY(Input::clickFocus(f.page(1)));
    Input::key(Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), f.addressBox());
    QCOMPARE(f.addressBox()->lineEdit()->selectedText(), QStringLiteral("http://one.test/"));
    // Back, forward, reload and the source view act on the active tab only.
    Input::key(Qt::Key_Left, Qt::AltModifier);
    Input::key(Qt::Key_Right, Qt::AltModifier);
    Input::key(Qt::Key_F5);
    Input::key(Qt::Key_R, Qt::ControlModifier);
    Input::key(Qt::Key_U, Qt::ControlModifier);
    QCOMPARE(f.view(1)->backs, 1);
    QCOMPARE(f.view(1)->forwards, 1);
    QCOMPARE(f.view(1)->reloads, 2);
    QCOMPARE(f.view(4)->reloads, 0);
    QVERIFY(f.header(1)->look().sourceShown);
    QVERIFY(f.checked("sc"));
}

void TestKeyboard::escapeStopsUnlessTheAddressBoxTakesIt()
{
    FormFixture f;
    f.view(1)->url = "http://one.test/";
    f.header(1)->sellect();
    QVERIFY(Input::clickFocus(f.page(1)));
    // A page that has loaded keeps Esc for itself (it closes its own menus with it).
    Input::key(Qt::Key_Escape);
    QCOMPARE(f.view(1)->stops, 0);
    QCOMPARE(f.view(1)->keys, QList<int> { Qt::Key_Escape });
    f.view(1)->loading = true;
    Input::key(Qt::Key_Escape);
    QCOMPARE(f.view(1)->stops, 1);
    // In the address box Esc takes back what was typed, and stops nothing.
    QVERIFY(Input::clickFocus(f.addressBox()));
    Input::type("half typed");
    Input::key(Qt::Key_Escape);
    QCOMPARE(f.view(1)->stops, 1);
    QCOMPARE(f.addressText(), QStringLiteral("http://one.test/"));
    QVERIFY(f.view(1)->navigated.size() == 1);
}

void TestKeyboard::zoomKeysStepThroughTheMenusLevels()
{
    FormFixture f;
    QVERIFY(Input::clickFocus(f.page(1)));
    for (int i = 0; i < 4; ++i)
        Input::key(Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(f.view(1)->zoomLevels, (QList<int> { 3, 4, 4, 4 }));
    Input::key(Qt::Key_0, Qt::ControlModifier);
    for (int i = 0; i < 3; ++i)
        Input::key(Qt::Key_Minus, Qt::ControlModifier);
    Input::key(Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(f.view(1)->zoomLevels, (QList<int> { 3, 4, 4, 4, 2, 1, 0, 0, 1 }));
    // Another tab starts at 100 %.
    Input::key(Qt::Key_T, Qt::ControlModifier);
    QVERIFY(Input::clickFocus(f.page(2)));
    Input::key(Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(f.view(2)->zoomLevels, QList<int> { 1 });
}

void TestKeyboard::findBarStepsThroughMatchesAndGoesWithItsTab()
{
    FormFixture f;
    f.openTab();
    QVERIFY(Input::clickFocus(f.page(2)));
    Input::key(Qt::Key_F, Qt::ControlModifier);
    QPointer<FindBar> bar = f.page(2)->findChild<FindBar *>();
    QVERIFY(bar && bar->isVisible());
    QCOMPARE(QApplication::focusWidget(), bar->field);
    Input::type("ab");
    QCOMPARE(f.view(2)->finds.last(), qMakePair(QStringLiteral("ab"), false));
    emit f.view(2)->FindResult(1, 3);
    QCOMPARE(bar->count->text(), QStringLiteral("1 of 3"));
    Input::key(Qt::Key_Return);
    QCOMPARE(f.view(2)->finds.last(), qMakePair(QStringLiteral("ab"), false));
    Input::key(Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(f.view(2)->finds.last(), qMakePair(QStringLiteral("ab"), true));
    QCOMPARE(f.view(2)->stops, 0);
    // Esc closes the bar, takes the highlight away, and stops nothing.
    Input::key(Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
    QCOMPARE(f.view(2)->finds.last(), qMakePair(QString(), false));
    QCOMPARE(f.view(2)->stops, 0);
    QVERIFY(f.view(1)->finds.isEmpty());
    // It belongs to its tab: it goes when the tab closes.
    Input::key(Qt::Key_F, Qt::ControlModifier);
    f.clickClose(2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!bar);
}

void TestKeyboard::sourceViewKeepsNoneOfTheBrowsersKeys()
{
    // The source editor has commands of its own on some of the browser's keys (Ctrl+L cuts
    // a line, Ctrl+T swaps two, Ctrl+U lowers the case): from the source, they are the
    // browser's, and none of them edits it.
    FormFixture f;
    const QString markup = QStringLiteral("<p>one</p>\n<p>two</p>\n<p>Two</p>");
    f.view(1)->complete("http://one.test/", "One", markup);
    f.press("sc");
    QVERIFY(Input::clickFocus(f.source(1)));
    Input::key(Qt::Key_F, Qt::ControlModifier);
    auto *bar = f.source(1)->findChild<FindBar *>();
    QVERIFY(bar && bar->isVisible());
    Input::type("two");
    QCOMPARE(bar->count->text(), QStringLiteral("1 of 2"));
    Input::key(Qt::Key_Return);
    QCOMPARE(bar->count->text(), QStringLiteral("2 of 2"));
    Input::key(Qt::Key_Escape);
    QVERIFY(Input::clickFocus(f.source(1)));
    Input::key(Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), f.addressBox());
    QVERIFY(Input::clickFocus(f.source(1)));
    Input::key(Qt::Key_U, Qt::ControlModifier);
    QVERIFY(!f.checked("sc"));
    QCOMPARE(f.topView(), f.page(1));
    f.press("sc");
    QVERIFY(Input::clickFocus(f.source(1)));
    Input::key(Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(f.highestTab(), 2);
    QCOMPARE(f.source(1)->text(), markup);
}

void TestKeyboard::withNoTabOnlyNewTabActs()
{
    FormFixture f;
    f.clickClose(1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(Input::clickFocus(f.addressBox()));
    for (const auto &[key, modifiers] :
        std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>> {
            { Qt::Key_W, Qt::ControlModifier }, { Qt::Key_Tab, Qt::ControlModifier },
            { Qt::Key_F5, Qt::NoModifier }, { Qt::Key_Plus, Qt::ControlModifier },
            { Qt::Key_U, Qt::ControlModifier }, { Qt::Key_F, Qt::ControlModifier },
            { Qt::Key_Left, Qt::AltModifier } })
        Input::key(key, modifiers);
    QCOMPARE(f.highestTab(), 0);
    QVERIFY(f.view(0)->zoomLevels.isEmpty());
    QCOMPARE(f.view(0)->reloads, 0);
    QVERIFY(!f.checked("sc"));
    Input::key(Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(f.highestTab(), 1);
    QCOMPARE(f.activeTab(), 1);
}

void TestKeyboard::onlyThePageInFrontGoesFullScreenUntilEscOrItsTabGoes()
{
    FormFixture f;
    QVERIFY(Input::clickFocus(f.addressBox()));
    Input::key(Qt::Key_T, Qt::ControlModifier);
    const auto ask = [&f](int index) { return f.view(index)->hooks().askFullScreen(true); };
    QVERIFY(!ask(1)); // covered
    QVERIFY(ask(2));
    QVERIFY(!f.form->menuBar()->isVisibleTo(f.form));
    Input::key(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(f.view(2)->fullScreenExits, 1);
    QVERIFY(f.form->menuBar()->isVisibleTo(f.form));
}

void TestKeyboard::menusShowNoShortcuts()
{
    FormFixture f;
    for (QAction *menu : f.form->menuBar()->actions())
        for (QAction *item : menu->menu()->actions())
            QVERIFY2(item->shortcut().isEmpty(), qPrintable(item->text()));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"

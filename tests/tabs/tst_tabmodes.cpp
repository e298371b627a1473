// The source view, the search tab, activation from the tab face and the tab menu, on
// fake page views.
#include "support/formfixture.h"
#include "support/input.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tab_header/progressbox.h"
#include "tab_header/search.h"
#include "tabs/sourceeditor.h"
#include "window/warningpanel.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace {

// Chooses an item of each tab menu that opens while it lives (or dismisses the menu with
// no item), and records that it opened.
struct MenuChoice
{
    MenuChoice(flik *header, const QString &item)
    {
        m_connection
            = QObject::connect(header, &flik::menuShown, header, [this, item](QMenu *menu) {
                  ++opened;
                  checks.clear();
                  for (QAction *action : menu->actions())
                      checks << action->isChecked();
                  menu->close();
                  for (QAction *action : menu->actions())
                      if (action->text() == item)
                          action->trigger();
              });
    }
    ~MenuChoice() { QObject::disconnect(m_connection); }
    int opened = 0;
    QList<bool> checks;

private:
    QMetaObject::Connection m_connection;
};

// The search box frame takes the focus by the Tab key alone.
void tabInto(QWidget *widget)
{
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(widget, &in);
}

} // namespace

class TestTabModes : public QObject
{
    Q_OBJECT
private slots:
    void sourceViewTogglesTheActiveTab();
    void sourceViewOfABackgroundTab();
    void dialogBringsThePageOverItsSource();
    void sourceCodeMenuFollowsTheActiveTab();
    void sourceViewOfABlankTab();
    void sourceViewShowsTheCompletedMarkupThenTheFreshOne();
    void searchAddressIsEncoded_data();
    void searchAddressIsEncoded();
    void viewSearchTogglesTheFace();
    void searchTabFromTheMenu();
    void enterInTheSearchField();
    void otherKeysInTheSearchField();
    void leftPressOnTheFace();
    void rightPressOnTheFaceOpensTheMenu();
    void searchBoxEntryPoints();
    void menuOnlyForTheRightButton();
    void menuCommandsActOnTheirHeader();
};

void TestTabModes::sourceViewTogglesTheActiveTab()
{
    FormFixture f;
    f.view(1)->liveBody = "<p>live</p>";
    f.press("sc");
    QVERIFY(f.header(1)->look().sourceShown);
    QVERIFY(f.checked("sc"));
    QVERIFY(!f.source(1)->isHidden());
    QCOMPARE(f.topView(), f.source(1));
    // The markup is read afresh and arrives a moment later.
    QTRY_COMPARE(f.source(1)->text(), QStringLiteral("<p>live</p>"));
    f.press("sc");
    QVERIFY(!f.header(1)->look().sourceShown);
    QVERIFY(!f.checked("sc"));
    QCOMPARE(f.topView(), f.page(1));
    QVERIFY(!f.source(1)->isHidden()); // behind the page, not hidden
}

void TestTabModes::sourceViewOfABackgroundTab()
{
    FormFixture f;
    f.openTab();
    f.view(1)->liveBody = "<p>one</p>";
    f.view(2)->url = "http://two.test/";
    f.header(1)->sellect();
    f.header(2)->sellect();
    // Chosen from the covered tab's menu: that tab comes in front, showing its source.
    f.header(1)->vs_Click();
    QVERIFY(f.header(1)->look().sourceShown);
    QVERIFY(!f.header(2)->look().sourceShown);
    QCOMPARE(f.activeTab(), 1);
    QCOMPARE(f.topView(), f.source(1));
    QVERIFY(f.checked("sc"));
    QTRY_COMPARE(f.source(1)->text(), QStringLiteral("<p>one</p>"));
    // Turned off from its menu while another tab is in front: it comes in front again,
    // showing its page.
    f.header(2)->sellect();
    QCOMPARE(f.addressText(), QStringLiteral("http://two.test/"));
    f.header(1)->vs_Click();
    QCOMPARE(f.activeTab(), 1);
    QCOMPARE(f.topView(), f.page(1));
    QVERIFY(f.view(1)->inFront && !f.view(2)->inFront);
    QVERIFY(!f.checked("sc"));
}

void TestTabModes::dialogBringsThePageOverItsSource()
{
    // A dialog under the source would hold every tab with no one able to see it.
    FormFixture f;
    f.press("sc");
    QCOMPARE(f.topView(), f.source(1));
    emit f.view(1)->DialogShown();
    QCOMPARE(f.topView(), f.page(1));
    QVERIFY(!f.header(1)->look().sourceShown && !f.checked("sc"));
}

void TestTabModes::sourceCodeMenuFollowsTheActiveTab()
{
    FormFixture f;
    f.openTab();
    f.menuItem("sc")->trigger(); // as a user chooses it
    QVERIFY(f.header(2)->look().sourceShown);
    QVERIFY(f.checked("sc"));
    f.header(1)->sellect();
    QVERIFY(!f.checked("sc"));
    QCOMPARE(f.topView(), f.page(1));
    f.header(2)->sellect();
    QVERIFY(f.checked("sc"));
    QCOMPARE(f.topView(), f.source(2));
    QVERIFY(!f.header(1)->look().sourceShown);
}

void TestTabModes::sourceViewOfABlankTab()
{
    FormFixture f;
    f.source(1)->setText("earlier");
    f.press("sc");
    QTest::qWait(20); // proving that no fresh read replaces the text
    QCOMPARE(f.source(1)->text(), QStringLiteral("earlier"));
    QCOMPARE(f.topView(), f.source(1));
    QVERIFY(f.checked("sc"));
}

void TestTabModes::sourceViewShowsTheCompletedMarkupThenTheFreshOne()
{
    FormFixture f;
    f.view(1)->complete("http://a.test/", "A", "<p>completed</p>");
    f.view(1)->liveBody = "<p>changed by a script</p>";
    f.source(1)->setText("something older");
    f.press("sc");
    QCOMPARE(f.source(1)->text(), QStringLiteral("<p>completed</p>"));
    QTRY_COMPARE(f.source(1)->text(), QStringLiteral("<p>changed by a script</p>"));
}

void TestTabModes::searchAddressIsEncoded_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("address");
    QTest::newRow("empty") << ""
                           << "http://s.test/search?hl=en&q=";
    QTest::newRow("plain") << "tessarvine"
                           << "http://s.test/search?hl=en&q=tessarvine";
    QTest::newRow("number sign and space") << "C# tutorial"
                                           << "http://s.test/search?hl=en&q=C%23%20tutorial";
    QTest::newRow("parameters") << "a&hl=de"
                                << "http://s.test/search?hl=en&q=a%26hl%3Dde";
    QTest::newRow("non-ASCII") << "crème"
                               << "http://s.test/search?hl=en&q=cr%C3%A8me";
}

void TestTabModes::searchAddressIsEncoded()
{
    QFETCH(QString, text);
    QFETCH(QString, address);
    QCOMPARE(searchAddress("http://s.test", text), address);
}

void TestTabModes::viewSearchTogglesTheFace()
{
    FormFixture f;
    flik *header = f.header(1);
    f.view(1)->name = "The page";
    header->viewsearch_Click();
    QVERIFY(header->look().searchTab);
    QVERIFY(!part<QWidget>(header, "searchicon")->isHidden());
    QCOMPARE(header->look().caption, QStringLiteral("Search"));
    header->viewsearch_Click();
    QVERIFY(!header->look().searchTab);
    QVERIFY(part<QWidget>(header, "searchicon")->isHidden());
    QCOMPARE(header->look().caption, QStringLiteral("The page"));
    QCOMPARE(f.view(1)->navigated.size(), 1); // only the start page
}

void TestTabModes::searchTabFromTheMenu()
{
    FormFixture f;
    f.menuItem("mnusearch")->trigger();
    QCOMPARE(f.highestTab(), 2);
    QVERIFY(f.header(2)->look().searchTab);
    QVERIFY(!f.headerPart<QWidget>(2, "searchicon")->isHidden());
    QCOMPARE(f.header(2)->look().caption, QStringLiteral("Search"));
    QVERIFY(!f.header(1)->look().searchTab);
    QCOMPARE(f.activeTab(), 2);
}

void TestTabModes::enterInTheSearchField()
{
    FormFixture f;
    f.press("mnusearch");
    flik *header = f.header(2);
    QVERIFY(Input::clickFocus(part<QLineEdit>(header, "SearchText")));
    Input::type("C# tutorial");
    Input::key(Qt::Key_Return);
    QCOMPARE(
        f.view(2)->navigated, QStringList { "http://search.test/search?hl=en&q=C%23%20tutorial" });
    QVERIFY(!header->look().searchTab);
    QVERIFY(part<QWidget>(header, "searchicon")->isHidden());
    // Captioned from the page shown before the search: a blank tab has no name.
    QCOMPARE(header->look().caption, QString());
    QCOMPARE(part<QLineEdit>(header, "SearchText")->text(), QStringLiteral("C# tutorial"));
    // The text stays for the next time the tab becomes a search tab.
    header->viewsearch_Click();
    QCOMPARE(part<QLineEdit>(header, "SearchText")->text(), QStringLiteral("C# tutorial"));
}

void TestTabModes::otherKeysInTheSearchField()
{
    FormFixture f;
    f.press("mnusearch");
    QVERIFY(Input::clickFocus(f.headerPart<QLineEdit>(2, "SearchText")));
    Input::type("a");
    QCOMPARE(f.headerPart<QLineEdit>(2, "SearchText")->text(), QStringLiteral("a"));
    QVERIFY(f.view(2)->navigated.isEmpty());
    QVERIFY(f.header(2)->look().searchTab);
}

void TestTabModes::leftPressOnTheFace()
{
    FormFixture f;
    f.openTab();
    f.header(1)->setSourceShown(true);
    f.events->showWarning(std::nullopt, "x");
    QTest::mousePress(f.headerPart<HeaderFace>(1, "StatusBar1"), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!f.warningShown());
    QCOMPARE(f.activeTab(), 1);
    QVERIFY(f.checked("sc"));
    QVERIFY(!f.source(1)->isHidden());
    QCOMPARE(f.topView(), f.source(1));
    // The middle button activates the same way.
    f.events->showWarning(std::nullopt, "x");
    QTest::mousePress(
        f.headerPart<HeaderFace>(2, "StatusBar1"), Qt::MiddleButton, {}, QPoint(5, 5));
    QVERIFY(!f.warningShown());
    QCOMPARE(f.activeTab(), 2);
    QVERIFY(!f.checked("sc"));
}

void TestTabModes::rightPressOnTheFaceOpensTheMenu()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.show();
    f.openTab();
    f.header(1)->setSourceShown(true);
    f.events->showWarning(std::nullopt, "x");
    MenuChoice none(f.header(1), QString());
    QTest::mousePress(f.headerPart<HeaderFace>(1, "StatusBar1"), Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(none.opened, 1);
    QCOMPARE(none.checks, (QList<bool> { false, true }));
    QVERIFY(!f.warningShown());
    QCOMPARE(f.activeTab(), 1);
    // The "Source code" mark is left as it was; the tab's source is still brought up.
    QVERIFY(!f.checked("sc"));
    QCOMPARE(f.topView(), f.source(1));
    QVERIFY(f.header(1)->look().sourceShown);
}

void TestTabModes::searchBoxEntryPoints()
{
    FormFixture f;
    f.press("mnusearch");
    f.openTab();
    flik *search = f.header(2);
    search->setSourceShown(true);
    f.menuItem("sc")->setChecked(true);
    QTest::mouseClick(part(search, "iconi"), Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(f.activeTab(), 2);
    QCOMPARE(f.topView(), f.page(2));
    QVERIFY(f.checked("sc"));
    QVERIFY(search->look().sourceShown);
    f.header(3)->sellect();
    tabInto(part(search, "searchicon"));
    QCOMPARE(f.activeTab(), 2);
    QCOMPARE(f.topView(), f.page(2));
    // A click in the field raises the source without showing it or touching the mark.
    f.header(3)->sellect();
    QTest::mousePress(part(search, "SearchText"), Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(f.activeTab(), 2);
    QCOMPARE(f.topView(), f.source(2));
    QVERIFY(f.source(2)->isHidden());
    QVERIFY(!f.checked("sc"));
    // None of them closes the warning panel.
    f.events->showWarning(std::nullopt, "x");
    QTest::mouseClick(part(search, "iconi"), Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(f.warningShown());
}

void TestTabModes::menuOnlyForTheRightButton()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.show();
    f.press("mnusearch");
    flik *header = f.header(2);
    MenuChoice watch(header, QString());
    float prg = 1, prgmax = 2;
    header->progg(prg, prgmax);
    const char *parts[] = { "iconi", "searchicon", "prog" };
    for (Qt::MouseButton button : { Qt::LeftButton, Qt::MiddleButton })
        for (const char *name : parts)
            QTest::mousePress(part(header, name), button, {}, QPoint(3, 3));
    QCOMPARE(watch.opened, 0);
    for (const char *name : parts)
        QTest::mousePress(part(header, name), Qt::RightButton, {}, QPoint(3, 3));
    QCOMPARE(watch.opened, 3);
    QCOMPARE(watch.checks, (QList<bool> { true, false }));
}

void TestTabModes::menuCommandsActOnTheirHeader()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.show();
    f.press("mnusearch"); // tab 2, a search tab
    f.openTab(); // tab 3 active
    flik *search = f.header(2);
    {
        MenuChoice choose(search, "View Source");
        QTest::mousePress(part(search, "iconi"), Qt::RightButton, {}, QPoint(3, 3));
        QCOMPARE(choose.opened, 1);
    }
    QVERIFY(search->look().sourceShown);
    QVERIFY(!f.header(3)->look().sourceShown);
    // The icon's press does not activate; the command chosen brings its tab in front.
    QCOMPARE(f.activeTab(), 2);
    {
        MenuChoice back(search, "View search");
        QTest::mousePress(part(search, "iconi"), Qt::RightButton, {}, QPoint(3, 3));
    }
    QVERIFY(!search->look().searchTab);
    QVERIFY(part<QWidget>(search, "searchicon")->isHidden());
    QVERIFY(search->look().sourceShown);
    // A right press on the face activates first, so the command acts on the active tab.
    MenuChoice source(f.header(1), "View Source");
    QTest::mousePress(f.headerPart<HeaderFace>(1, "StatusBar1"), Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(f.activeTab(), 1);
    QVERIFY(f.header(1)->look().sourceShown);
    QVERIFY(f.checked("sc"));
    QCOMPARE(f.topView(), f.source(1));
}

QTEST_MAIN(TestTabModes)
#include "tst_tabmodes.moc"

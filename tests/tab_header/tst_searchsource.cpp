// The source view, the search tab, activation from the tab face and the tab menu, on
// fake page views.
#include "hosted/sourceeditor.h"
#include "main_window/warningpanel.h"
#include "support/formfixture.h"
#include "support/input.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tab_header/progressbox.h"
#include "tab_header/search.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace {

QWidget *topView(const Form1 &form)
{
    return form.container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).last();
}

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

} // namespace

class TestSearchSource : public QObject
{
    Q_OBJECT
private slots:
    void sourceViewTogglesTheActiveTab();
    void sourceViewOfABackgroundTab();
    void sourceCodeMenuFollowsTheActiveTab();
    void sourceViewOfABlankTab();
    void sourceViewShowsTheCompletedMarkupThenTheFreshOne();
    void searchAddressIsEncoded_data();
    void searchAddressIsEncoded();
    void chrCount_data();
    void chrCount();
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

void TestSearchSource::sourceViewTogglesTheActiveTab()
{
    FormFixture f;
    Form1 &form = *f.form;
    f.view(1)->liveBody = "<p>live</p>";
    form.sc_Click();
    QVERIFY(form.flik(1)->vs->isChecked());
    QVERIFY(form.sc->isChecked());
    QVERIFY(!form.Codetext(1)->isHidden());
    QCOMPARE(topView(form), form.Codetext(1));
    // The markup is read afresh and arrives a moment later.
    QTRY_COMPARE(form.Codetext(1)->text(), QStringLiteral("<p>live</p>"));
    form.sc_Click();
    QVERIFY(!form.flik(1)->vs->isChecked());
    QVERIFY(!form.sc->isChecked());
    QCOMPARE(topView(form), form.WebBrowser(1));
    QVERIFY(!form.Codetext(1)->isHidden()); // behind the page, not hidden
}

void TestSearchSource::sourceViewOfABackgroundTab()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    f.view(1)->liveBody = "<p>one</p>";
    form.flik(1)->vs_Click();
    QVERIFY(form.flik(1)->vs->isChecked());
    QVERIFY(!form.flik(2)->vs->isChecked());
    QCOMPARE(form.current, 2.0f);
    QTRY_COMPARE(form.Codetext(1)->text(), QStringLiteral("<p>one</p>"));
    form.flik(1)->sellect();
    QCOMPARE(topView(form), form.Codetext(1));
    QVERIFY(form.sc->isChecked());
}

void TestSearchSource::sourceCodeMenuFollowsTheActiveTab()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.sc->trigger(); // as a user chooses it
    QVERIFY(form.flik(2)->vs->isChecked());
    QVERIFY(form.sc->isChecked());
    form.flik(1)->sellect();
    QVERIFY(!form.sc->isChecked());
    QCOMPARE(topView(form), form.WebBrowser(1));
    form.flik(2)->sellect();
    QVERIFY(form.sc->isChecked());
    QCOMPARE(topView(form), form.Codetext(2));
    QVERIFY(!form.flik(1)->vs->isChecked());
}

void TestSearchSource::sourceViewOfABlankTab()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.Codetext(1)->setText("earlier");
    form.sc_Click();
    QTest::qWait(20);
    QCOMPARE(form.Codetext(1)->text(), QStringLiteral("earlier"));
    QCOMPARE(topView(form), form.Codetext(1));
    QVERIFY(form.sc->isChecked());
}

void TestSearchSource::sourceViewShowsTheCompletedMarkupThenTheFreshOne()
{
    FormFixture f;
    Form1 &form = *f.form;
    f.view(1)->complete("http://a.test/", "A", "<p>completed</p>");
    f.view(1)->liveBody = "<p>changed by a script</p>";
    form.Codetext(1)->setText("something older");
    form.sc_Click();
    QCOMPARE(form.Codetext(1)->text(), QStringLiteral("<p>completed</p>"));
    QTRY_COMPARE(form.Codetext(1)->text(), QStringLiteral("<p>changed by a script</p>"));
}

void TestSearchSource::searchAddressIsEncoded_data()
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

void TestSearchSource::searchAddressIsEncoded()
{
    QFETCH(QString, text);
    QFETCH(QString, address);
    QCOMPARE(searchAddress("http://s.test", text), address);
}

void TestSearchSource::chrCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("what");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<int>("count");
    QTest::newRow("a in banana") << "banana"
                                 << "a" << true << 3;
    QTest::newRow("b in Banana, any case") << "Banana"
                                           << "b" << false << 1;
    QTest::newRow("b in Banana, exact case") << "Banana"
                                             << "b" << true << 0;
    QTest::newRow("aa in aaaa") << "aaaa"
                                << "aa" << true << 4;
    QTest::newRow("aa in aaa") << "aaa"
                               << "aa" << true << 2;
    QTest::newRow("empty pattern") << "banana"
                                   << "" << true << 0;
    QTest::newRow("empty text") << ""
                                << "a" << true << 0;
}

void TestSearchSource::chrCount()
{
    QFETCH(QString, text);
    QFETCH(QString, what);
    QFETCH(bool, caseSensitive);
    QFETCH(int, count);
    QCOMPARE(ChrCount(text, what, caseSensitive), count);
}

void TestSearchSource::viewSearchTogglesTheFace()
{
    FormFixture f;
    flik *header = f.form->flik(1);
    f.view(1)->name = "The page";
    header->viewsearch_Click();
    QVERIFY(header->viewsearch->isChecked());
    QVERIFY(!header->searchicon->isHidden());
    QCOMPARE(header->StatusBar1->panelText(), QStringLiteral("Search"));
    header->viewsearch_Click();
    QVERIFY(!header->viewsearch->isChecked());
    QVERIFY(header->searchicon->isHidden());
    QCOMPARE(header->StatusBar1->panelText(), QStringLiteral("The page"));
    QCOMPARE(f.view(1)->navigated.size(), 1); // only the start page
}

void TestSearchSource::searchTabFromTheMenu()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.mnusearch->trigger();
    QCOMPARE(form.flik.ubound(), 2);
    QVERIFY(form.flik(2)->viewsearch->isChecked());
    QVERIFY(!form.flik(2)->searchicon->isHidden());
    QCOMPARE(form.flik(2)->StatusBar1->panelText(), QStringLiteral("Search"));
    QVERIFY(!form.flik(1)->viewsearch->isChecked());
    QCOMPARE(form.current, 2.0f);
}

void TestSearchSource::enterInTheSearchField()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.mnusearch_Click();
    flik *header = form.flik(2);
    QVERIFY(Input::clickFocus(header->SearchText));
    Input::type("C# tutorial");
    Input::key(Qt::Key_Return);
    QCOMPARE(
        f.view(2)->navigated, QStringList { "http://search.test/search?hl=en&q=C%23%20tutorial" });
    QVERIFY(!header->viewsearch->isChecked());
    QVERIFY(header->searchicon->isHidden());
    // Captioned from the page shown before the search: a blank tab has no name.
    QCOMPARE(header->StatusBar1->panelText(), QString());
    QCOMPARE(header->SearchText->text(), QStringLiteral("C# tutorial"));
    int key = 13;
    header->SearchText_KeyPress(key);
    QCOMPARE(key, 0);
    // The text stays for the next time the tab becomes a search tab.
    header->viewsearch_Click();
    QCOMPARE(header->SearchText->text(), QStringLiteral("C# tutorial"));
}

void TestSearchSource::otherKeysInTheSearchField()
{
    FormFixture f;
    f.form->mnusearch_Click();
    int key = 'a';
    f.form->flik(2)->SearchText_KeyPress(key);
    QCOMPARE(key, int('a'));
    QVERIFY(f.view(2)->navigated.isEmpty());
    QVERIFY(f.form->flik(2)->viewsearch->isChecked());
}

void TestSearchSource::leftPressOnTheFace()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.flik(1)->vs->setChecked(true);
    form.showWarning(std::nullopt, "x");
    QTest::mousePress(form.flik(1)->StatusBar1, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(form.infopanel->isHidden());
    QCOMPARE(form.current, 1.0f);
    QVERIFY(form.sc->isChecked());
    QVERIFY(!form.Codetext(1)->isHidden());
    QCOMPARE(topView(form), form.Codetext(1));
    // The middle button activates the same way.
    form.showWarning(std::nullopt, "x");
    form.flik(2)->StatusBar1_MouseDown(4);
    QVERIFY(form.infopanel->isHidden());
    QCOMPARE(form.current, 2.0f);
    QVERIFY(!form.sc->isChecked());
}

void TestSearchSource::rightPressOnTheFaceOpensTheMenu()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.show();
    form.newflik_Click();
    form.flik(1)->vs->setChecked(true);
    form.showWarning(std::nullopt, "x");
    MenuChoice none(form.flik(1), QString());
    form.flik(1)->StatusBar1_MouseDown(2);
    QCOMPARE(none.opened, 1);
    QCOMPARE(none.checks, (QList<bool> { false, true }));
    QVERIFY(form.infopanel->isHidden());
    QCOMPARE(form.current, 1.0f);
    // The "Source code" mark is left as it was; the tab's source is still brought up.
    QVERIFY(!form.sc->isChecked());
    QCOMPARE(topView(form), form.Codetext(1));
    QVERIFY(form.flik(1)->vs->isChecked());
}

void TestSearchSource::searchBoxEntryPoints()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.mnusearch_Click();
    form.newflik_Click();
    flik *search = form.flik(2);
    search->vs->setChecked(true);
    form.sc->setChecked(true);
    search->iconi_Click();
    QCOMPARE(form.current, 2.0f);
    QCOMPARE(topView(form), form.WebBrowser(2));
    QVERIFY(form.sc->isChecked());
    QVERIFY(search->vs->isChecked());
    form.flik(3)->sellect();
    search->searchicon_GotFocus();
    QCOMPARE(form.current, 2.0f);
    QCOMPARE(topView(form), form.WebBrowser(2));
    // A click in the field raises the source without showing it or touching the mark.
    form.flik(3)->sellect();
    search->SearchText_Click();
    QCOMPARE(form.current, 2.0f);
    QCOMPARE(topView(form), form.Codetext(2));
    QVERIFY(form.Codetext(2)->isHidden());
    QVERIFY(!form.sc->isChecked());
    // None of them closes the warning panel.
    form.showWarning(std::nullopt, "x");
    search->iconi_Click();
    QVERIFY(!form.infopanel->isHidden());
}

void TestSearchSource::menuOnlyForTheRightButton()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.show();
    form.mnusearch_Click();
    flik *header = form.flik(2);
    MenuChoice watch(header, QString());
    for (int button : { 1, 4 }) {
        header->iconi_MouseDown(button);
        header->searchicon_MouseDown(button);
        header->prog_MouseDown(button);
    }
    QCOMPARE(watch.opened, 0);
    header->iconi_MouseDown(2);
    header->searchicon_MouseDown(2);
    float prg = 1, prgmax = 2;
    header->progg(prg, prgmax);
    QTest::mousePress(header->prog, Qt::RightButton, {}, QPoint(3, 3));
    QCOMPARE(watch.opened, 3);
    QCOMPARE(watch.checks, (QList<bool> { true, false }));
}

void TestSearchSource::menuCommandsActOnTheirHeader()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.show();
    form.mnusearch_Click(); // tab 2, a search tab
    form.newflik_Click(); // tab 3 active
    flik *search = form.flik(2);
    {
        MenuChoice choose(search, "View Source");
        search->iconi_MouseDown(2);
        QCOMPARE(choose.opened, 1);
    }
    QVERIFY(search->vs->isChecked());
    QVERIFY(!form.flik(3)->vs->isChecked());
    QCOMPARE(form.current, 3.0f); // the icon's press does not activate
    {
        MenuChoice back(search, "View search");
        search->iconi_MouseDown(2);
    }
    QVERIFY(!search->viewsearch->isChecked());
    QVERIFY(search->searchicon->isHidden());
    QVERIFY(search->vs->isChecked());
    // A right press on the face activates first, so the command acts on the active tab.
    MenuChoice source(form.flik(1), "View Source");
    form.flik(1)->StatusBar1_MouseDown(2);
    QCOMPARE(form.current, 1.0f);
    QVERIFY(form.flik(1)->vs->isChecked());
    QVERIFY(form.sc->isChecked());
    QCOMPARE(topView(form), form.Codetext(1));
}

QTEST_MAIN(TestSearchSource)
#include "tst_searchsource.moc"

// The navigation bar, the window layout, the settings and the about box, on fake views.
#include "common/twips.h"
#include "page_events/popupthrottle.h"
#include "support/formfixture.h"
#include "support/input.h"
#include "tab_header/flik.h"
#include "tabs/sourceeditor.h"
#include "window/aboutbox.h"
#include "window/coolbar.h"
#include "window/warningpanel.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

class TestNavigation : public QObject
{
    Q_OBJECT
private slots:
    void enterNavigatesTheActiveTabOnly();
    void enterReachesNeitherBoxNorList();
    void addressBoxNamesThePageShownButNotOverTypedText();
    void addressBoxFollowsEveryPageAfterEnter();
    void pagesWindowsNeitherTakeTheKeysNorPassTheBound();
    void otherKeysNeverNavigate();
    void addressTooLongForTheBoxIsNeverCutAndLoaded();
    void addressListIsBoundedAndLongEntriesShowCut();
    void toolbarActsOnTheActiveTab();
    void zoomMenuPositionsAreLevels();
    void panelShownMakesTheViewAreaOnePanelSmaller();
    void everyViewTakesTheViewArea();
    void closeBoxFollowsTheWindowOnlyWhileShown();
    void tooSmallWindowKeepsTheLastHeight();
    void settingsToggle();
    void oneAboutBox();
};

void TestNavigation::enterNavigatesTheActiveTabOnly()
{
    FormFixture f;
    f.openTab();
    f.addressBox()->setEditText("  example.test/some path ");
    f.enterAddress();
    QCOMPARE(f.view(2)->navigated, QStringList { "  example.test/some path " });
    QCOMPARE(f.view(1)->navigated, QStringList { "start.test/start/" });
    f.header(1)->sellect();
    f.addressBox()->setEditText("other.test");
    f.enterAddress();
    QCOMPARE(f.view(1)->navigated.last(), QStringLiteral("other.test"));
    QCOMPARE(f.view(2)->navigated.size(), 1);
    // An empty box asks for the empty text.
    f.addressBox()->setEditText(QString());
    f.enterAddress();
    QCOMPARE(f.view(1)->navigated.last(), QString());
}

// A page another site sent a window to shows before it completes (an image that never
// comes): the box must name it from then on, and never write over what the user types.
void TestNavigation::addressBoxNamesThePageShownButNotOverTypedText()
{
    FormFixture f;
    f.view(1)->complete("https://trusted.test/", "Trusted");
    f.openTab();
    f.view(2)->complete("https://second.test/", "Second");
    f.header(1)->sellect();
    f.view(1)->url = "http://look-alike.test/login";
    emit f.view(1)->LocationChange(f.view(1)->url);
    QCOMPARE(f.addressText(), QStringLiteral("http://look-alike.test/login"));
    emit f.view(2)->LocationChange("https://second.test/moved");
    QCOMPARE(f.addressText(), QStringLiteral("http://look-alike.test/login"));

    QVERIFY(Input::clickFocus(f.addressBox()));
    Input::key(Qt::Key_A, Qt::ControlModifier);
    Input::type("mine.test");
    emit f.view(1)->LocationChange("http://look-alike.test/next");
    f.view(1)->complete("http://look-alike.test/next", "Next");
    QCOMPARE(f.addressText(), QStringLiteral("mine.test"));
    Input::key(Qt::Key_Escape);
    QCOMPARE(f.addressText(), QStringLiteral("http://look-alike.test/next"));
    // Typed over again: each tab keeps its own input over a switch away and back.
    Input::type("half typed");
    f.header(2)->sellect();
    QCOMPARE(f.addressText(), QStringLiteral("https://second.test/"));
    f.header(1)->sellect();
    QCOMPARE(f.addressText(), QStringLiteral("half typed"));
}

// The combo box chooses a listed entry by itself when the focus leaves it with that text:
// after Enter and a click into the page, the box must still follow the page to another
// site. A page rewriting its address meanwhile must not undo the user's select-all.
void TestNavigation::addressBoxFollowsEveryPageAfterEnter()
{
    FormFixture f;
    f.form->show();
    QVERIFY(Input::clickFocus(f.addressBox()));
    Input::key(Qt::Key_A, Qt::ControlModifier);
    Input::type("http://first.test/");
    Input::key(Qt::Key_Return);
    f.view(1)->complete("http://first.test/", "First");
    QVERIFY(Input::clickFocus(f.page(1)));
    emit f.view(1)->LocationChange("http://other.test/");
    QCOMPARE(f.addressText(), QStringLiteral("http://other.test/"));

    QVERIFY(Input::clickFocus(f.addressBox()));
    Input::key(Qt::Key_A, Qt::ControlModifier);
    emit f.view(1)->LocationChange("http://other.test/moving-1");
    Input::type("my-own-words");
    emit f.view(1)->LocationChange("http://other.test/moving-2");
    QCOMPARE(f.addressText(), QStringLiteral("my-own-words"));
}

// A page that opens a window while the user types an address (or that opens one per key
// press) gets it behind, counted against the pop-up bound: the keys stay in the box.
void TestNavigation::pagesWindowsNeitherTakeTheKeysNorPassTheBound()
{
    FormFixture f;
    f.form->show();
    QVERIFY(Input::clickFocus(f.addressBox()));
    Input::key(Qt::Key_A, Qt::ControlModifier);
    Input::type("mybank");
    QVERIFY(!f.view(1)->hooks().askNewWindow(true).Cancel);
    QCOMPARE(f.activeTab(), 1);
    Input::type(".test");
    QCOMPARE(f.addressText(), QStringLiteral("mybank.test"));

    QVERIFY(Input::clickFocus(f.page(1)));
    for (int key = 0; key < 2 * PopupThrottle::burstLimit; ++key)
        f.view(1)->hooks().askNewWindow(true);
    QCOMPARE(f.highestTab(), 1 + PopupThrottle::burstLimit);
    QVERIFY(f.warningShown());
}

void TestNavigation::enterReachesNeitherBoxNorList()
{
    // Keys go where a keyboard sends them: to the box, which has the focus after a click.
    FormFixture f;
    QVERIFY(Input::clickFocus(f.addressBox()));
    Input::key(Qt::Key_A, Qt::ControlModifier);
    Input::type("typed.test");
    const int items = f.addressBox()->count();
    Input::key(Qt::Key_Return);
    QCOMPARE(f.view(1)->navigated.last(), QStringLiteral("typed.test"));
    QCOMPARE(f.addressBox()->count(), items);
    QCOMPARE(f.addressText(), QStringLiteral("typed.test"));
    // The keypad's Enter too, in a second tab.
    f.openTab();
    QVERIFY(Input::clickFocus(f.addressBox()));
    Input::type("second.test");
    Input::key(Qt::Key_Enter);
    QCOMPARE(f.view(2)->navigated, QStringList { "second.test" });
}

void TestNavigation::otherKeysNeverNavigate()
{
    FormFixture f;
    QVERIFY(Input::clickFocus(f.addressBox()));
    Input::type("abc ");
    Input::key(Qt::Key_Escape);
    Input::key(Qt::Key_Tab);
    QCOMPARE(f.view(1)->navigated.size(), 1);
}

void TestNavigation::addressTooLongForTheBoxIsNeverCutAndLoaded()
{
    FormFixture f;
    QVERIFY(Input::clickFocus(f.addressBox()));
    QGuiApplication::clipboard()->setText("http://long.test/" + QString(2 * 1024 * 1024, u'a'));
    Input::key(Qt::Key_V, Qt::ControlModifier);
    Input::key(Qt::Key_Return);
    QCOMPARE(f.view(1)->navigated, QStringList { "start.test/start/" });
    QCOMPARE(f.statusText(), QStringLiteral("The address is too long for the address box"));
}

void TestNavigation::addressListIsBoundedAndLongEntriesShowCut()
{
    FormFixture f;
    for (int i = 0; i < 1005; ++i)
        f.view(1)->complete(QStringLiteral("http://p%1.test/").arg(i), "P");
    QCOMPARE(f.addressBox()->count(), 1000);
    QCOMPARE(f.addressList().first(), QStringLiteral("http://p5.test/"));
    // A page under a very long address: listed short, chosen whole.
    const QString whole = "http://long.test/?" + QString(200 * 1024, u'q');
    f.view(1)->complete(whole, "Long");
    QVERIFY(f.addressList().last().size() < 400);
    QCOMPARE(f.addressBox()->count(), 1000);
    f.addressBox()->setCurrentIndex(-1);
    emit f.addressBox()->activated(f.addressBox()->count() - 1);
    QVERIFY(whole.startsWith(f.addressText()));
    f.enterAddress();
    QCOMPARE(f.view(1)->navigated.last(), whole);
}

void TestNavigation::toolbarActsOnTheActiveTab()
{
    FormFixture f;
    f.openTab();
    f.press("back");
    f.press("forward");
    f.press("stop");
    QCOMPARE(f.view(2)->backs, 1);
    QCOMPARE(f.view(2)->forwards, 1);
    QCOMPARE(f.view(2)->stops, 1);
    f.header(1)->sellect();
    f.press("back");
    f.press("stop");
    QCOMPARE(f.view(1)->backs, 1);
    QCOMPARE(f.view(1)->stops, 1);
    QCOMPARE(f.view(2)->backs, 1);
    // The zoom button's face does nothing.
    f.press("zoom");
    QCOMPARE(f.view(1)->backs, 1);
    QCOMPARE(f.view(1)->forwards, 0);
}

void TestNavigation::zoomMenuPositionsAreLevels()
{
    FormFixture f;
    for (QAction *item : f.control<QToolButton>("zoom")->menu()->actions())
        item->trigger();
    QCOMPARE(f.view(1)->zoomLevels, (QList<int> { 0, 1, 2, 3, 4 }));
    f.openTab();
    f.chooseZoom(5);
    QCOMPARE(f.view(2)->zoomLevels, QList<int> { 4 });
    QCOMPARE(f.view(1)->zoomLevels.size(), 5);
}

void TestNavigation::panelShownMakesTheViewAreaOnePanelSmaller()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.resize(800, 600);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.Form_Resize();
    const double hidden = form.containerHeight();
    const double client = Twips::fromPixels(form.centralWidget()->height());
    QCOMPARE(hidden, client - Twips::fromPixels(f.control<QWidget>("CoolBar1")->height()));
    f.events->showWarning(std::nullopt, "x");
    QCOMPARE(form.containerHeight(), hidden - 495);
    QCOMPARE(
        f.viewArea()->y(), f.control<QWidget>("CoolBar1")->height() + f.warningPanel()->height());
    QTest::mouseClick(f.warningPanel()->closer, Qt::LeftButton);
    QVERIFY(!f.warningShown());
    QCOMPARE(form.containerHeight(), hidden);
    QCOMPARE(f.viewArea()->y(), f.control<QWidget>("CoolBar1")->height());
}

void TestNavigation::everyViewTakesTheViewArea()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.resize(700, 500);
    form.show();
    f.openTab();
    f.openTab();
    f.clickClose(2);
    QCoreApplication::processEvents();
    form.resize(900, 650);
    QCoreApplication::processEvents();
    const QSize area = f.viewArea()->size();
    QCOMPARE(area.width(), form.centralWidget()->width());
    for (int i : { 0, 1, 3 }) {
        QCOMPARE(f.page(i)->size(), area);
        QCOMPARE(f.source(i)->size(), area);
    }
    // A tab opened after the resize already has the size.
    f.openTab();
    QCOMPARE(f.page(4)->size(), area);
    QCOMPARE(f.source(4)->size(), area);
}

void TestNavigation::closeBoxFollowsTheWindowOnlyWhileShown()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.show();
    form.resize(800, 600);
    QCoreApplication::processEvents();
    const double before = f.warningPanel()->closerLeft();
    form.resize(900, 600);
    QCoreApplication::processEvents();
    QCOMPARE(f.warningPanel()->closerLeft(), before);
    f.events->showWarning(std::nullopt, "x");
    QCOMPARE(f.warningPanel()->closerLeft(), Twips::fromPixels(900) - 210 - 200);
    form.resize(700, 600);
    QCoreApplication::processEvents();
    QCOMPARE(f.warningPanel()->closerLeft(), Twips::fromPixels(700) - 210 - 200);
    QVERIFY(f.warningPanel()->closer->geometry().right() < f.warningPanel()->width());
}

void TestNavigation::tooSmallWindowKeepsTheLastHeight()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.show();
    form.resize(600, 400);
    QCoreApplication::processEvents();
    const double fitted = form.containerHeight();
    f.events->showWarning(std::nullopt, "x");
    const double withPanel = form.containerHeight();
    QVERIFY(withPanel < fitted);
    form.centralWidget()->resize(600, 20);
    form.Form_Resize();
    QCOMPARE(form.containerHeight(), withPanel);
    QVERIFY(f.page(1)->height() >= 0);
    QCOMPARE(f.page(1)->height(), Twips::toPixels(withPanel));
}

void TestNavigation::settingsToggle()
{
    // Chosen from the menu the way a user does: the item's own toggle does not count twice.
    FormFixture f;
    f.menuItem("pp")->trigger();
    QVERIFY(!f.checked("pp"));
    f.menuItem("pp")->trigger();
    QVERIFY(f.checked("pp"));
    QVERIFY(f.checked("ws"));
}

void TestNavigation::oneAboutBox()
{
    FormFixture f;
    Form1 &form = *f.form;
    f.press("vbf");
    auto *box = qobject_cast<AboutBox *>(f.aboutBox());
    QVERIFY(box);
    f.menuItem("vbf")->trigger();
    QCOMPARE(f.aboutBox(), box);
    QVERIFY(box->isVisible());
    QVERIFY(!box->isModal());
    QVERIFY(!box->parentWidget());
    QCOMPARE(box->windowTitle(), QStringLiteral("Tessarvine - About"));
    QCOMPARE(box->Label1->text(), QStringLiteral("Tessarvine 2 BETA"));
    QCOMPARE(box->Ok->text(), QStringLiteral("Ok"));
    QCOMPARE(box->Picture1->pixmap().size(), QSize(332, 313));
    QTest::mouseClick(box->Ok, Qt::LeftButton);
    QVERIFY(!box->isVisible());
    f.press("vbf");
    QCOMPARE(f.aboutBox(), box);
    QVERIFY(box->isVisible());
    // Closing the browser closes the box with it.
    form.close();
    QVERIFY(!box->isVisible());
}

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"

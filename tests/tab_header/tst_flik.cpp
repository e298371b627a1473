// The tab header: activation, lock mark, caption and progress, on fake page views.
#include "hosted/sourceeditor.h"
#include "window/mainstatusbar.h"
#include "support/formfixture.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tab_header/progressbox.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>

namespace {

// The text a tooltip draws.
QString shown(const QString &tip)
{
    QTextDocument document;
    document.setHtml(tip);
    return document.toPlainText();
}

} // namespace

class TestFlik : public QObject
{
    Q_OBJECT
private slots:
    void activationMarksOnlyThisHeader();
    void activatingTheActiveTabKeepsLastone();
    void activationSkipsClosedTabs();
    void activationShowsTheSourceWhenMarked();
    void activationShowsTheTabsAddress();
    void activationShowsEncryption();
    void captionCutsToFiftyWithWholeTooltipsAsPlainText_data();
    void captionCutsToFiftyWithWholeTooltipsAsPlainText();
    void captionGeometryRules_data();
    void captionGeometryRules();
    void captionOnSearchFaceReadsSearch();
    void captionIndentsForTheLockMark();
    void captionMovesRightNeighboursByTheChange();
    void captionMovesNothingPastAClosedNeighbourOrTheLast();
    void progressFillsAndHides();
    void progressWithZeroMaximumKeepsTheScale();
};

void TestFlik::activationMarksOnlyThisHeader()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    f.header(1)->sellect();
    QCOMPARE(f.header(0)->bevel(), 0);
    QCOMPARE(f.header(1)->bevel(), 1);
    QCOMPARE(f.header(2)->bevel(), 0);
    f.header(2)->sellect();
    QCOMPARE(f.header(1)->bevel(), 0);
    QCOMPARE(f.header(2)->bevel(), 1);
    QCOMPARE(f.previousTab(), 1);
    QCOMPARE(f.activeTab(), 2);
}

void TestFlik::activatingTheActiveTabKeepsLastone()
{
    FormFixture f;
    f.form->newflik_Click();
    f.header(2)->sellect();
    QCOMPARE(f.previousTab(), 1);
    QCOMPARE(f.activeTab(), 2);
}

void TestFlik::activationSkipsClosedTabs()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.newflik_Click();
    f.header(1)->sellect();
    f.header(1)->closer_Click();
    QCoreApplication::processEvents();
    QVERIFY(!f.header(1));
    f.header(2)->sellect();
    QCOMPARE(f.activeTab(), 2);
    QCOMPARE(f.header(2)->bevel(), 1);
    QCOMPARE(f.header(3)->bevel(), 0);
    // The active tab is copied into lastone like any other, however far the gap.
    f.header(3)->sellect();
    QCOMPARE(f.previousTab(), 2);
    QCOMPARE(f.activeTab(), 3);
}

void TestFlik::activationShowsTheSourceWhenMarked()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
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

void TestFlik::activationShowsTheTabsAddress()
{
    FormFixture f;
    Form1 &form = *f.form;
    f.view(1)->url = "http://one.test/";
    form.newflik_Click();
    f.view(2)->url = "http://two.test/";
    f.addressBox()->setEditText("typed but not entered");
    f.header(1)->sellect();
    QCOMPARE(f.addressText(), QStringLiteral("http://one.test/"));
    f.view(2)->url.clear();
    f.header(2)->sellect();
    QCOMPARE(f.addressText(), QString());
}

void TestFlik::activationShowsEncryption()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    f.header(1)->safe();
    f.header(1)->sellect();
    QVERIFY(!f.panel2Picture().isNull());
    QCOMPARE(f.panel2Text(), QStringLiteral("Encrypted"));
    f.header(2)->sellect();
    QVERIFY(f.panel2Picture().isNull());
    QCOMPARE(f.panel2Text(), QString());
    // The lock going away reaches the status bar only at the next activation.
    f.header(1)->sellect();
    f.header(1)->unsafe();
    QCOMPARE(f.panel2Text(), QStringLiteral("Encrypted"));
}

void TestFlik::captionCutsToFiftyWithWholeTooltipsAsPlainText_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("long") << QString(60, u'x') + "tail";
    // A page's title is shown as the text it is: an image in it would be loaded from any
    // path it names (/dev/zero: until memory runs out) if the tooltip were drawn as markup.
    QTest::newRow("image") << "<img src=\"/nonexistent/tessarvine.png\">News";
    QTest::newRow("bold") << "<b>bold</b> & <i>more</i>";
}

void TestFlik::captionCutsToFiftyWithWholeTooltipsAsPlainText()
{
    QFETCH(QString, title);
    FormFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form));
    flik *header = f.header(1);
    header->Caption(title);
    QCOMPARE(header->caption(), title.left(50));
    // What the tooltip of the face and of the progress bar draw, read as a person would.
    QCOMPARE(shown(part<HeaderFace>(header, "StatusBar1")->toolTip()), title);
    QCOMPARE(shown(part<ProgressBox>(header, "prog")->toolTip()), title);
    // Hovering the tab shows that tooltip, plainly.
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5),
        part<HeaderFace>(header, "StatusBar1")->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(part<HeaderFace>(header, "StatusBar1"), &hover);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(shown(QToolTip::text()), title);
    QToolTip::hideText();
    // A screen reader hears the title itself, not the tooltip's markup.
    for (QWidget *tipped : { static_cast<QWidget *>(part<HeaderFace>(header, "StatusBar1")),
             static_cast<QWidget *>(part<ProgressBox>(header, "prog")) }) {
        QAccessibleInterface *described = QAccessible::queryAccessibleInterface(tipped);
        QCOMPARE(described->text(QAccessible::Description), title);
    }
}

void TestFlik::captionGeometryRules_data()
{
    QTest::addColumn<QString>("caption");
    QTest::newRow("short") << "a";
    QTest::newRow("empty") << "";
    QTest::newRow("long") << "A rather long page name that needs more room";
}

void TestFlik::captionGeometryRules()
{
    QFETCH(QString, caption);
    FormFixture f;
    flik *header = f.header(1);
    header->Caption(caption);
    const float panel = float(header->panelWidth());
    QVERIFY(panel >= 1440);
    QCOMPARE(header->Width(), panel + 400);
    QCOMPARE(header->Height(), 345.0f);
    QCOMPARE(header->closerLeft(), panel + 50);
    QCOMPARE(part<ProgressBox>(header, "prog")->widthTwips(), double(panel));
}

void TestFlik::captionOnSearchFaceReadsSearch()
{
    FormFixture f;
    flik *header = f.header(1);
    header->viewsearch_Click();
    header->Caption("Some page");
    QCOMPARE(header->caption(), QStringLiteral("Search"));
    QCOMPARE(shown(part<HeaderFace>(header, "StatusBar1")->toolTip()), QStringLiteral("Some page"));
    // With the minimum panel, the search field keeps its designed width.
    QCOMPARE(header->panelWidth(), 1440.0);
    QCOMPARE(part<QLineEdit>(header, "SearchText")->width(), 78);
}

void TestFlik::captionIndentsForTheLockMark()
{
    FormFixture f;
    flik *header = f.header(1);
    header->safe();
    header->Caption("Bank");
    QCOMPARE(header->caption(), QStringLiteral("     Bank"));
    header->unsafe();
    QCOMPARE(header->caption(), QStringLiteral("     Bank"));
    header->Caption("Bank");
    QCOMPARE(header->caption(), QStringLiteral("Bank"));
}

void TestFlik::captionMovesRightNeighboursByTheChange()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.newflik_Click();
    const float secondLeft = f.header(2)->Left();
    const float thirdLeft = f.header(3)->Left();
    f.header(1)->Caption("A name long enough to make the panel grow past its minimum");
    const float growth = f.header(1)->Width() - 1845;
    QVERIFY(growth > 0);
    QCOMPARE(f.header(2)->Left(), secondLeft + growth);
    QCOMPARE(f.header(3)->Left(), thirdLeft + growth);
    QCOMPARE(f.header(2)->Left(), f.header(1)->Left() + f.header(1)->Width());
    const float wide = f.header(1)->Width();
    f.header(1)->Caption("x");
    const float shrink = wide - f.header(1)->Width();
    QCOMPARE(f.header(3)->Left(), thirdLeft + growth - shrink);
    QCOMPARE(f.header(2)->Left(), f.header(1)->Left() + f.header(1)->Width());
}

void TestFlik::captionMovesNothingPastAClosedNeighbourOrTheLast()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.newflik_Click();
    f.header(2)->closer_Click();
    QCoreApplication::processEvents();
    const float thirdLeft = f.header(3)->Left();
    f.header(1)->Caption("A name long enough to make the panel grow past its minimum");
    QCOMPARE(f.header(3)->Left(), thirdLeft);
    const float firstLeft = f.header(1)->Left();
    f.header(3)->Caption("Another name long enough to make the panel grow past it");
    QCOMPARE(f.header(1)->Left(), firstLeft);
    QCOMPARE(f.header(3)->Left(), thirdLeft);
}

void TestFlik::progressFillsAndHides()
{
    FormFixture f;
    flik *header = f.header(1);
    float prg = 25, prgmax = 100;
    header->progg(prg, prgmax);
    QVERIFY(header->progressShown());
    QCOMPARE(
        part<ProgressBox>(header, "prog")->toTwips(part<ProgressBox>(header, "prog")->barWidth()),
        part<ProgressBox>(header, "prog")->widthTwips() / 4);
    // The end cap sits one cap width (75 twips) right of the 25-unit mark.
    QCOMPARE(
        part<ProgressBox>(header, "prog")->toTwips(part<ProgressBox>(header, "prog")->endCapLeft()),
        part<ProgressBox>(header, "prog")->widthTwips() / 4 + 75);
    header->hideprog();
    QVERIFY(!header->progressShown());
}

void TestFlik::progressWithZeroMaximumKeepsTheScale()
{
    FormFixture f;
    flik *header = f.header(1);
    float prg = 10, prgmax = 40;
    header->progg(prg, prgmax);
    header->hideprog();
    float zero = 0, five = 5;
    header->progg(five, zero);
    QCOMPARE(part<ProgressBox>(header, "prog")->scaleWidth(), 40.0);
    QCOMPARE(part<ProgressBox>(header, "prog")->barWidth(), 5.0);
    QVERIFY(header->progressShown());
}

QTEST_MAIN(TestFlik)
#include "tst_flik.moc"

// The tab header: lock mark, caption and progress, on fake page views.
#include "support/formfixture.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tab_header/progressbox.h"
#include "tabs/sourceeditor.h"
#include "window/mainstatusbar.h"

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
    void captionCutsToFiftyWithWholeTooltipsAsPlainText_data();
    void captionCutsToFiftyWithWholeTooltipsAsPlainText();
    void captionOnSearchFaceReadsSearch();
    void captionIndentsForTheLockMark();
    void captionMovesRightNeighboursByTheChange();
    void captionMovesNothingPastAClosedNeighbourOrTheLast();
    void progressFillsAndHides();
    void progressWithZeroMaximumKeepsTheScale();
};

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
    QCOMPARE(header->look().caption, title.left(50));
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

void TestFlik::captionOnSearchFaceReadsSearch()
{
    FormFixture f;
    flik *header = f.header(1);
    header->viewsearch_Click();
    header->Caption("Some page");
    QCOMPARE(header->look().caption, QStringLiteral("Search"));
    QCOMPARE(shown(part<HeaderFace>(header, "StatusBar1")->toolTip()), QStringLiteral("Some page"));
    // With the minimum panel, the search field keeps its designed width.
    QCOMPARE(header->place().panelWidth, 1440.0);
    QCOMPARE(part<QLineEdit>(header, "SearchText")->width(), 78);
}

void TestFlik::captionIndentsForTheLockMark()
{
    FormFixture f;
    flik *header = f.header(1);
    header->safe();
    header->Caption("Bank");
    QCOMPARE(header->look().caption, QStringLiteral("     Bank"));
    header->unsafe();
    QCOMPARE(header->look().caption, QStringLiteral("     Bank"));
    header->Caption("Bank");
    QCOMPARE(header->look().caption, QStringLiteral("Bank"));
}

void TestFlik::captionMovesRightNeighboursByTheChange()
{
    FormFixture f;
    f.openTab();
    f.openTab();
    const float secondLeft = f.header(2)->place().left;
    const float thirdLeft = f.header(3)->place().left;
    f.header(1)->Caption("A name long enough to make the panel grow past its minimum");
    const float growth = f.header(1)->place().width - 1845;
    QVERIFY(growth > 0);
    QCOMPARE(f.header(2)->place().left, secondLeft + growth);
    QCOMPARE(f.header(3)->place().left, thirdLeft + growth);
    QCOMPARE(f.header(2)->place().left, f.header(1)->place().left + f.header(1)->place().width);
    const float wide = f.header(1)->place().width;
    f.header(1)->Caption("x");
    const float shrink = wide - f.header(1)->place().width;
    QCOMPARE(f.header(3)->place().left, thirdLeft + growth - shrink);
    QCOMPARE(f.header(2)->place().left, f.header(1)->place().left + f.header(1)->place().width);
}

void TestFlik::captionMovesNothingPastAClosedNeighbourOrTheLast()
{
    FormFixture f;
    f.openTab();
    f.openTab();
    f.clickClose(2);
    QCoreApplication::processEvents();
    const float thirdLeft = f.header(3)->place().left;
    f.header(1)->Caption("A name long enough to make the panel grow past its minimum");
    QCOMPARE(f.header(3)->place().left, thirdLeft);
    const float firstLeft = f.header(1)->place().left;
    f.header(3)->Caption("Another name long enough to make the panel grow past it");
    QCOMPARE(f.header(1)->place().left, firstLeft);
    QCOMPARE(f.header(3)->place().left, thirdLeft);
}

void TestFlik::progressFillsAndHides()
{
    FormFixture f;
    flik *header = f.header(1);
    float prg = 25, prgmax = 100;
    header->progg(prg, prgmax);
    QVERIFY(header->look().progress);
    QCOMPARE(
        part<ProgressBox>(header, "prog")->toTwips(part<ProgressBox>(header, "prog")->barWidth()),
        part<ProgressBox>(header, "prog")->widthTwips() / 4);
    // The end cap sits one cap width (75 twips) right of the 25-unit mark.
    QCOMPARE(
        part<ProgressBox>(header, "prog")->toTwips(part<ProgressBox>(header, "prog")->endCapLeft()),
        part<ProgressBox>(header, "prog")->widthTwips() / 4 + 75);
    header->hideprog();
    QVERIFY(!header->look().progress);
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
    QVERIFY(header->look().progress);
}

QTEST_MAIN(TestFlik)
#include "tst_flik.moc"

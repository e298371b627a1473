// The tab header: activation, lock mark, caption and progress, on fake page views.
#include "hosted/sourceeditor.h"
#include "main_window/mainstatusbar.h"
#include "support/formfixture.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tab_header/progressbox.h"

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
    form.flik(1)->sellect();
    QCOMPARE(form.flik(0)->StatusBar1->bevel(), 0);
    QCOMPARE(form.flik(1)->StatusBar1->bevel(), 1);
    QCOMPARE(form.flik(2)->StatusBar1->bevel(), 0);
    form.flik(2)->sellect();
    QCOMPARE(form.flik(1)->StatusBar1->bevel(), 0);
    QCOMPARE(form.flik(2)->StatusBar1->bevel(), 1);
    QCOMPARE(form.lastone, 1.0f);
    QCOMPARE(form.current, 2.0f);
}

void TestFlik::activatingTheActiveTabKeepsLastone()
{
    FormFixture f;
    f.form->newflik_Click();
    f.form->flik(2)->sellect();
    QCOMPARE(f.form->lastone, 1.0f);
    QCOMPARE(f.form->current, 2.0f);
}

void TestFlik::activationSkipsClosedTabs()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.newflik_Click();
    form.flik(1)->sellect();
    form.flik(1)->closer_Click();
    QCoreApplication::processEvents();
    QVERIFY(!form.flik(1));
    form.flik(2)->sellect();
    QCOMPARE(form.current, 2.0f);
    QCOMPARE(form.flik(2)->StatusBar1->bevel(), 1);
    QCOMPARE(form.flik(3)->StatusBar1->bevel(), 0);
    // A `current` naming a closed tab is copied into lastone like any other.
    form.current = 1;
    form.flik(3)->sellect();
    QCOMPARE(form.lastone, 1.0f);
    QCOMPARE(form.current, 3.0f);
}

void TestFlik::activationShowsTheSourceWhenMarked()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.flik(1)->vs->setChecked(true);
    form.flik(1)->sellect();
    QVERIFY(form.sc->isChecked());
    QVERIFY(!form.Codetext(1)->isHidden());
    const QWidgetList stack = form.container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QCOMPARE(stack.last(), form.Codetext(1));
    form.flik(2)->sellect();
    QVERIFY(!form.sc->isChecked());
    QCOMPARE(form.container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).last(),
        form.WebBrowser(2));
}

void TestFlik::activationShowsTheTabsAddress()
{
    FormFixture f;
    Form1 &form = *f.form;
    f.view(1)->url = "http://one.test/";
    form.newflik_Click();
    f.view(2)->url = "http://two.test/";
    form.address->setEditText("typed but not entered");
    form.flik(1)->sellect();
    QCOMPARE(form.address->currentText(), QStringLiteral("http://one.test/"));
    f.view(2)->url.clear();
    form.flik(2)->sellect();
    QCOMPARE(form.address->currentText(), QString());
}

void TestFlik::activationShowsEncryption()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.flik(1)->safe();
    form.flik(1)->sellect();
    QVERIFY(!form.StatusBar1->panel2Picture().isNull());
    QCOMPARE(form.StatusBar1->panel2Text(), QStringLiteral("Encrypted"));
    form.flik(2)->sellect();
    QVERIFY(form.StatusBar1->panel2Picture().isNull());
    QCOMPARE(form.StatusBar1->panel2Text(), QString());
    // The lock going away reaches the status bar only at the next activation.
    form.flik(1)->sellect();
    form.flik(1)->unsafe();
    QCOMPARE(form.StatusBar1->panel2Text(), QStringLiteral("Encrypted"));
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
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    flik *header = f.form->flik(1);
    header->Caption(title);
    QCOMPARE(header->StatusBar1->panelText(), title.left(50));
    // What the tooltip of the face and of the progress bar draw, read as a person would.
    QCOMPARE(shown(header->StatusBar1->toolTip()), title);
    QCOMPARE(shown(header->prog->toolTip()), title);
    // Hovering the tab shows that tooltip, plainly.
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), header->StatusBar1->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(header->StatusBar1, &hover);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(shown(QToolTip::text()), title);
    QToolTip::hideText();
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
    flik *header = f.form->flik(1);
    header->Caption(caption);
    const float panel = float(header->panelWidth());
    QVERIFY(panel >= 1440);
    QCOMPARE(header->Width(), panel + 400);
    QCOMPARE(header->Height(), 345.0f);
    QCOMPARE(header->closerLeft(), panel + 50);
    QCOMPARE(header->prog->widthTwips(), double(panel));
}

void TestFlik::captionOnSearchFaceReadsSearch()
{
    FormFixture f;
    flik *header = f.form->flik(1);
    header->viewsearch_Click();
    header->Caption("Some page");
    QCOMPARE(header->StatusBar1->panelText(), QStringLiteral("Search"));
    QCOMPARE(shown(header->StatusBar1->toolTip()), QStringLiteral("Some page"));
    // With the minimum panel, the search field keeps its designed width.
    QCOMPARE(header->panelWidth(), 1440.0);
    QCOMPARE(header->SearchText->width(), 78);
}

void TestFlik::captionIndentsForTheLockMark()
{
    FormFixture f;
    flik *header = f.form->flik(1);
    header->safe();
    header->Caption("Bank");
    QCOMPARE(header->StatusBar1->panelText(), QStringLiteral("     Bank"));
    header->unsafe();
    QCOMPARE(header->StatusBar1->panelText(), QStringLiteral("     Bank"));
    header->Caption("Bank");
    QCOMPARE(header->StatusBar1->panelText(), QStringLiteral("Bank"));
}

void TestFlik::captionMovesRightNeighboursByTheChange()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.newflik_Click();
    const float secondLeft = form.flik(2)->Left();
    const float thirdLeft = form.flik(3)->Left();
    form.flik(1)->Caption("A name long enough to make the panel grow past its minimum");
    const float growth = form.flik(1)->Width() - 1845;
    QVERIFY(growth > 0);
    QCOMPARE(form.flik(2)->Left(), secondLeft + growth);
    QCOMPARE(form.flik(3)->Left(), thirdLeft + growth);
    QCOMPARE(form.flik(2)->Left(), form.flik(1)->Left() + form.flik(1)->Width());
    const float wide = form.flik(1)->Width();
    form.flik(1)->Caption("x");
    const float shrink = wide - form.flik(1)->Width();
    QCOMPARE(form.flik(3)->Left(), thirdLeft + growth - shrink);
    QCOMPARE(form.flik(2)->Left(), form.flik(1)->Left() + form.flik(1)->Width());
}

void TestFlik::captionMovesNothingPastAClosedNeighbourOrTheLast()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.newflik_Click();
    form.newflik_Click();
    form.flik(2)->closer_Click();
    QCoreApplication::processEvents();
    const float thirdLeft = form.flik(3)->Left();
    form.flik(1)->Caption("A name long enough to make the panel grow past its minimum");
    QCOMPARE(form.flik(3)->Left(), thirdLeft);
    const float firstLeft = form.flik(1)->Left();
    form.flik(3)->Caption("Another name long enough to make the panel grow past it");
    QCOMPARE(form.flik(1)->Left(), firstLeft);
    QCOMPARE(form.flik(3)->Left(), thirdLeft);
}

void TestFlik::progressFillsAndHides()
{
    FormFixture f;
    flik *header = f.form->flik(1);
    float prg = 25, prgmax = 100;
    header->progg(prg, prgmax);
    QVERIFY(!header->prog->isHidden());
    QCOMPARE(header->prog->toTwips(header->prog->barWidth()), header->prog->widthTwips() / 4);
    // The end cap sits one cap width (75 twips) right of the 25-unit mark.
    QCOMPARE(
        header->prog->toTwips(header->prog->endCapLeft()), header->prog->widthTwips() / 4 + 75);
    header->hideprog();
    QVERIFY(header->prog->isHidden());
}

void TestFlik::progressWithZeroMaximumKeepsTheScale()
{
    FormFixture f;
    flik *header = f.form->flik(1);
    float prg = 10, prgmax = 40;
    header->progg(prg, prgmax);
    header->hideprog();
    float zero = 0, five = 5;
    header->progg(five, zero);
    QCOMPARE(header->prog->scaleWidth(), 40.0);
    QCOMPARE(header->prog->barWidth(), 5.0);
    QVERIFY(!header->prog->isHidden());
}

QTEST_MAIN(TestFlik)
#include "tst_flik.moc"

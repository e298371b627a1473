// The tab strip when its headers reach past the window's edge, on fake page views.
#include "main_window/tabstrip.h"
#include "main_window/twips.h"
#include "support/formfixture.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

namespace {

// The part of the strip where headers are seen, in the strip's coordinates.
QRect seenArea(const Form1 &form)
{
    return form.Picture1->headers()->parentWidget()->geometry();
}

bool wholeInSight(const Form1 &form, const flik *header)
{
    const QRect rect(header->mapTo(form.Picture1, QPoint(0, 0)), header->size());
    return seenArea(form).contains(rect);
}

} // namespace

class TestTabStrip : public QObject
{
    Q_OBJECT
private slots:
    void manyTabsScrollAndStayReachable();
    void wheelAndArrowsScrollWithoutMovingHeaders();
};

void TestTabStrip::manyTabsScrollAndStayReachable()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect newTab = form.newflik->geometry();
    while (form.flik.ubound() < 6)
        form.newflik_Click();
    QTest::qWait(0);
    QVERIFY(!form.Picture1->overflows());
    QVERIFY(form.Picture1->scrollRight->isHidden());
    // The seventh header ends past the window's edge: it is brought into sight, whichever
    // way it was opened.
    form.mnutab_Click();
    QVERIFY(form.Picture1->overflows());
    QVERIFY(!form.Picture1->scrollRight->isHidden());
    QVERIFY(wholeInSight(form, form.flik(7)));
    NewWindowRequest request;
    emit f.view(7)->NewWindow2(request);
    QCOMPARE(form.current, 8.0f);
    QVERIFY(wholeInSight(form, form.flik(8)));
    QVERIFY(!wholeInSight(form, form.flik(1)));
    // Scrolling changes what is seen, never where a header is: every header keeps its
    // designed place and width in twips, and the new-tab button stays where it was.
    for (int i = 1; i <= 8; ++i)
        QCOMPARE(form.flik(i)->Left(), 405.0f + (i - 1) * 1845.0f);
    QCOMPARE(form.newflik->geometry(), newTab);
    QVERIFY(form.newflik->isVisible());
    // Activating a tab out of sight brings it back into sight.
    form.flik(1)->sellect();
    QVERIFY(wholeInSight(form, form.flik(1)));
    QCOMPARE(form.Picture1->offset(), 0);
    // A header can be reached with the mouse once scrolled to.
    form.flik(8)->sellect();
    QTest::mouseClick(form.flik(8)->closer, Qt::LeftButton);
    QCOMPARE(form.flik.ubound(), 7);
    // When everything fits again, the arrows go and nothing stays scrolled.
    form.resize(Twips::toPixels(30000), form.height());
    QTest::qWait(0);
    QVERIFY(!form.Picture1->overflows());
    QCOMPARE(form.Picture1->offset(), 0);
    QVERIFY(wholeInSight(form, form.flik(7)));
}

void TestTabStrip::wheelAndArrowsScrollWithoutMovingHeaders()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (int i = 0; i < 11; ++i)
        form.newflik_Click();
    form.flik(1)->sellect();
    TabStrip *strip = form.Picture1;
    QCOMPARE(strip->offset(), 0);
    QVERIFY(!strip->scrollLeft->isEnabled());
    // The wheel scrolls the strip: down goes right. (A wheel over a header reaches the strip
    // as the headers leave it unhandled.)
    const QPoint over = form.flik(2)->mapTo(strip, QPoint(10, 10));
    QWheelEvent down(over, strip->mapToGlobal(over), {}, { 0, -120 }, Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(strip, &down);
    QVERIFY(down.isAccepted());
    const int scrolled = strip->offset();
    QVERIFY(scrolled > 0);
    QTest::mouseClick(strip->scrollRight, Qt::LeftButton);
    QVERIFY(strip->offset() > scrolled);
    // Never past the last header.
    for (int i = 0; i < 30; ++i)
        QTest::mouseClick(strip->scrollRight, Qt::LeftButton);
    QVERIFY(wholeInSight(form, form.flik(12)));
    QVERIFY(!strip->scrollRight->isEnabled());
    QTest::mouseClick(strip->scrollLeft, Qt::LeftButton);
    QVERIFY(!wholeInSight(form, form.flik(12)));
    QCOMPARE(form.flik(12)->Left(), 405.0f + 11 * 1845.0f);
    // Clicking a header brought into sight activates it.
    QVERIFY(wholeInSight(form, form.flik(11)));
    QTest::mousePress(form.flik(11)->StatusBar1, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(form.current, 11.0f);
    QVERIFY(wholeInSight(form, form.flik(11)));
}

QTEST_MAIN(TestTabStrip)
#include "tst_tabstrip.moc"

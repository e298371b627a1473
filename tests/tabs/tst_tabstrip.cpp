// The tab strip when its headers reach past the window's edge, on fake page views.
#include "common/twips.h"
#include "support/formfixture.h"
#include "support/input.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tabs/tabstrip.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

namespace {

// The part of the strip where headers are seen, in the strip's coordinates.
QRect seenArea(const WindowDriver &f)
{
    return f.strip()->headers()->parentWidget()->geometry();
}

bool wholeInSight(const WindowDriver &f, const flik *header)
{
    const QRect rect(header->mapTo(f.strip(), QPoint(0, 0)), header->size());
    return seenArea(f).contains(rect);
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
    const QRect newTab = f.control<QToolButton>("newflik")->geometry();
    while (f.highestTab() < 6)
        f.openTab();
    QTest::qWait(0); // the strip lays its headers out at the next turn of the loop
    QVERIFY(!f.strip()->overflows());
    QVERIFY(f.strip()->scrollRight->isHidden());
    // The seventh header ends past the window's edge: it is brought into sight, whichever
    // way it was opened.
    f.press("mnutab");
    QVERIFY(f.strip()->overflows());
    QVERIFY(!f.strip()->scrollRight->isHidden());
    QVERIFY(wholeInSight(f, f.header(7)));
    QVERIFY(Input::clickFocus(f.page(7))); // away from the address box, or it opens behind
    f.view(7)->hooks().askNewWindow(false);
    QCOMPARE(f.activeTab(), 8);
    QVERIFY(wholeInSight(f, f.header(8)));
    QVERIFY(!wholeInSight(f, f.header(1)));
    // Scrolling changes what is seen, never where a header is: every header keeps its
    // designed place and width in twips, and the new-tab button stays where it was.
    for (int i = 1; i <= 8; ++i)
        QCOMPARE(f.header(i)->place().left, 405.0f + (i - 1) * 1845.0f);
    QCOMPARE(f.control<QToolButton>("newflik")->geometry(), newTab);
    QVERIFY(f.control<QToolButton>("newflik")->isVisible());
    // Activating a tab out of sight brings it back into sight.
    f.header(1)->sellect();
    QVERIFY(wholeInSight(f, f.header(1)));
    QCOMPARE(f.strip()->offset(), 0);
    // A header can be reached with the mouse once scrolled to.
    f.header(8)->sellect();
    QTest::mouseClick(f.headerPart<QToolButton>(8, "closer"), Qt::LeftButton);
    QCOMPARE(f.highestTab(), 7);
    // When everything fits again, the arrows go and nothing stays scrolled.
    form.resize(Twips::toPixels(30000), form.height());
    QTest::qWait(0); // the strip lays its headers out at the next turn of the loop
    QVERIFY(!f.strip()->overflows());
    QCOMPARE(f.strip()->offset(), 0);
    QVERIFY(wholeInSight(f, f.header(7)));
}

void TestTabStrip::wheelAndArrowsScrollWithoutMovingHeaders()
{
    FormFixture f;
    Form1 &form = *f.form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (int i = 0; i < 11; ++i)
        f.openTab();
    f.header(1)->sellect();
    TabStrip *strip = f.strip();
    QCOMPARE(strip->offset(), 0);
    QVERIFY(!strip->scrollLeft->isEnabled());
    // The wheel scrolls the strip: down goes right. (A wheel over a header reaches the strip
    // as the headers leave it unhandled.)
    const QPoint over = f.header(2)->mapTo(strip, QPoint(10, 10));
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
    QVERIFY(wholeInSight(f, f.header(12)));
    QVERIFY(!strip->scrollRight->isEnabled());
    QTest::mouseClick(strip->scrollLeft, Qt::LeftButton);
    QVERIFY(!wholeInSight(f, f.header(12)));
    QCOMPARE(f.header(12)->place().left, 405.0f + 11 * 1845.0f);
    // Clicking a header brought into sight activates it.
    QVERIFY(wholeInSight(f, f.header(11)));
    QTest::mousePress(f.headerPart<HeaderFace>(11, "StatusBar1"), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(f.activeTab(), 11);
    QVERIFY(wholeInSight(f, f.header(11)));
}

QTEST_MAIN(TestTabStrip)
#include "tst_tabstrip.moc"

// A tab's sound: its mark while its page plays, and muting by the mark and by Ctrl+M.
#include "support/formfixture.h"
#include "support/input.h"
#include "tab_header/flik.h"

#include <QTest>
#include <QToolButton>

class TestSound : public QObject
{
    Q_OBJECT
private slots:
    void theMarkShowsWhileSoundPlaysAndMutes();
};

void TestSound::theMarkShowsWhileSoundPlaysAndMutes()
{
    FormFixture f;
    f.form->show();
    const auto mark = [&f](int tab) {
        for (auto *button : f.header(tab)->findChildren<QToolButton *>())
            if (button->accessibleName().contains(u"ute tab"))
                return button;
        return static_cast<QToolButton *>(nullptr);
    };
    const auto shown = [&](int tab) { return mark(tab) && mark(tab)->isVisible(); };
    QVERIFY(!shown(1));
    f.view(1)->audible = true;
    emit f.view(1)->AudioChange();
    QVERIFY(shown(1));
    QCOMPARE(mark(1)->accessibleName(), QStringLiteral("Mute tab"));
    QTest::mouseClick(mark(1), Qt::LeftButton);
    QVERIFY(f.view(1)->muted);
    QCOMPARE(mark(1)->accessibleName(), QStringLiteral("Unmute tab"));
    // Silent but muted: the struck-through speaker stays, so that the mute can be undone.
    f.view(1)->audible = false;
    emit f.view(1)->AudioChange();
    QVERIFY(shown(1));
    // Ctrl+M acts on the tab in front, wherever the keyboard is in the window.
    QVERIFY(Input::clickFocus(f.page(1)));
    Input::key(Qt::Key_M, Qt::ControlModifier);
    QVERIFY(!f.view(1)->muted);
    QVERIFY(!shown(1));
}

QTEST_MAIN(TestSound)
#include "tst_sound.moc"

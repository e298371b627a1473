// A site's questions over its page: shown in front, settled by one click once settled on
// screen, withdrawn when the page moves on, refused when the tab closes.
#include "support/fakepageview.h"
#include "tabs/permissionbar.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestPermissionBar : public QObject
{
    Q_OBJECT
private slots:
    void aQuestionBelongsToItsTabAndItsPage();
};

void TestPermissionBar::aQuestionBelongsToItsTabAndItsPage()
{
    FakePageView page;
    page.resize(800, 600);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    auto *bar = new PermissionBar(&page);
    QStringList answers;
    QStringList remembered;
    const auto ask = [&](const char *site, Permission kind = Permission::Location) {
        const QString name
            = QString::fromLatin1(site) + (kind == Permission::Camera ? " camera" : "");
        bar->ask({ *Site::of(QUrl(QString::fromLatin1(site))), kind, 1,
            [&answers, name](bool allow) { answers << name + (allow ? " allowed" : " blocked"); },
            [&remembered, name](bool) { remembered << name; } });
    };
    const auto button = [bar](const QString &text) {
        for (auto *one : bar->findChildren<QPushButton *>())
            if (one->text() == text)
                return one;
        return static_cast<QPushButton *>(nullptr);
    };

    // A covered tab's question waits for it.
    ask("https://covered.test");
    QVERIFY(!bar->isVisible());
    bar->setInFront(true);
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->findChild<QLabel *>()->text(),
        QStringLiteral("covered.test wants to know your location"));
    // A click aimed at the page as the bar appears answers nothing.
    QTest::mouseClick(button("Allow"), Qt::LeftButton);
    QVERIFY(answers.isEmpty());
    QTRY_VERIFY(button("Allow")->isEnabled());
    button("Allow")->setFocus(Qt::MouseFocusReason);
    QTest::mouseClick(button("Allow"), Qt::LeftButton);
    QCOMPARE(answers, QStringList { "https://covered.test allowed" });
    QVERIFY(!bar->isVisible());
    // The keyboard goes back to the page, not along the focus chain to another tab.
    QVERIFY(QApplication::focusWidget() == &page || page.isAncestorOf(QApplication::focusWidget()));

    ask("http://moves.test");
    bar->withdraw();
    QVERIFY(!bar->isVisible());
    // An answer settles what waits of the same site and kind, and nothing else.
    ask("http://asks.test");
    ask("http://asks.test", Permission::Camera);
    ask("http://asks.test");
    QTRY_VERIFY(button("Block")->isEnabled());
    QTest::mouseClick(button("Block"), Qt::LeftButton);
    QCOMPARE(
        answers.mid(1), QStringList({ "http://asks.test blocked", "http://asks.test blocked" }));
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->findChild<QLabel *>()->text(),
        QStringLiteral("http://asks.test wants to use your camera"));

    // Refused as its tab closes, and not held against the site.
    bar->refuseAll();
    QCOMPARE(answers.last(), QStringLiteral("http://asks.test camera blocked"));
    QCOMPARE(remembered.size(), 3);
}

QTEST_MAIN(TestPermissionBar)
#include "tst_permissionbar.moc"

// What a site's request for a permission comes to, as a table.
#include "hosted/permissions.h"

#include <QTest>

class TestPermissions : public QObject
{
    Q_OBJECT
private slots:
    void outcome_data();
    void outcome();
    void answersAreBySiteAndKind();
};

void TestPermissions::outcome_data()
{
    using O = Permissions::Outcome;
    QTest::addColumn<int>("answered"); // -1 never, 0 blocked, 1 allowed
    QTest::addColumn<bool>("inFront");
    QTest::addColumn<bool>("questionOpen");
    QTest::addColumn<bool>("mayAsk");
    QTest::addColumn<int>("outcome");
    QTest::newRow("asked in front") << -1 << true << false << true << int(O::Ask);
    QTest::newRow("waits behind") << -1 << false << false << true << int(O::Wait);
    QTest::newRow("allowed before") << 1 << false << false << false << int(O::Grant);
    QTest::newRow("blocked before") << 0 << true << false << true << int(O::Block);
    QTest::newRow("one at a time") << -1 << true << true << true << int(O::Block);
    QTest::newRow("no storm") << -1 << true << false << false << int(O::Block);
}

void TestPermissions::outcome()
{
    QFETCH(int, answered);
    QFETCH(bool, inFront);
    QFETCH(bool, questionOpen);
    QFETCH(bool, mayAsk);
    QFETCH(int, outcome);
    const auto before = answered < 0 ? std::nullopt : std::optional(answered == 1);
    QCOMPARE(int(Permissions::outcome(before, inFront, questionOpen, mayAsk)), outcome);
}

void TestPermissions::answersAreBySiteAndKind()
{
    using F = QWebEnginePage::Feature;
    PermissionAnswers answers;
    answers.remember(QUrl("https://maps.test/route?x=1"), F::Geolocation, true);
    QCOMPARE(answers.answer(QUrl("https://maps.test/other"), F::Geolocation), std::optional(true));
    QCOMPARE(answers.answer(QUrl("http://maps.test/"), F::Geolocation), std::nullopt);
    QCOMPARE(answers.answer(QUrl("https://maps.test/"), F::MediaVideoCapture), std::nullopt);
    QVERIFY(!Permissions::wants(F::MouseLock));
    QCOMPARE(Permissions::wants(F::Notifications), QStringLiteral("show notifications"));
}

QTEST_GUILESS_MAIN(TestPermissions)
#include "tst_permissions.moc"

// Which addresses the page view refuses, as a table.
#include "hosted/pagerules.h"

#include <QTest>
#include <QUrl>

class TestPageRules : public QObject
{
    Q_OBJECT
private slots:
    void refusal_data();
    void refusal();
};

void TestPageRules::refusal_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("code"); // 0: loaded
    const int refused = PageRules::refusedAddress, invalid = PageRules::invalidAddress;
    QTest::newRow("web") << "https://example.test/a" << 0;
    QTest::newRow("no host") << "http:" << invalid;
    QTest::newRow("script") << "javascript:alert(1)" << refused;
    // The engine's own pages for debugging crash, hang or freeze the whole browser.
    QTest::newRow("gpu crash") << "chrome://gpucrash" << refused;
    QTest::newRow("browser crash") << "chrome://inducebrowsercrashforrealz" << refused;
    QTest::newRow("capitals") << "CHROME://uithreadhang" << refused;
    QTest::newRow("about") << "about:gpucrash" << refused;
    QTest::newRow("blank") << "about:blank" << 0;
    QTest::newRow("devtools") << "devtools://devtools/bundled/inspector.html" << refused;
    QTest::newRow("source of one") << "view-source:chrome://gpucrash" << refused;
    QTest::newRow("folder") << "/tmp" << 0;
}

void TestPageRules::refusal()
{
    QFETCH(QString, typed);
    QFETCH(int, code);
    const auto refusal = PageRules::refusal(QUrl::fromUserInput(typed));
    QCOMPARE(refusal ? refusal->code : 0, code);
    QVERIFY(!refusal || !refusal->why.isEmpty());
}

QTEST_GUILESS_MAIN(TestPageRules)
#include "tst_pagerules.moc"

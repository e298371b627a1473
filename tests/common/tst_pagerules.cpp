// Which addresses the page view refuses, and which OpenGL renderers draw on the processor,
// as tables.
#include "app/renderpath.h"
#include "common/pagerules.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <sys/stat.h>

class TestPageRules : public QObject
{
    Q_OBJECT
private slots:
    void refusal_data();
    void refusal();
    void localAddressesAsTheEngineReadsThem();
    void softwareRenderer_data();
    void softwareRenderer();
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

// The engine reads file://localhost/x and file://127.0.0.1/x as /x: a FIFO named so must be
// refused as its plain path is, or an engine worker waits on it and the program never ends.
void TestPageRules::localAddressesAsTheEngineReadsThem()
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    const auto code = [](const QString &address) {
        const auto refusal = PageRules::givenRefusal(address);
        return refusal ? refusal->code : 0;
    };
    const int refused = PageRules::refusedAddress;
    QCOMPARE(code(u"file://" + fifo), refused);
    QCOMPARE(code(u"file://localhost" + fifo), refused);
    // Through a folder that is not there, as the engine resolves the dots.
    QCOMPARE(code(u"file:///nope/../" + fifo), refused);
    QCOMPARE(code(u"file:///nope/%2e%2e" + fifo), refused);
    QCOMPARE(code(u"file://LOCALHOST" + dir.path()), 0);
    for (const char *host : { "127.0.0.1", "[::1]", "a.localhost", "other.test" })
        QCOMPARE(code(u"file://" + QLatin1String(host) + dir.path()), refused);
    QVERIFY(!PageRules::mayReadLocal(QUrl(u"file://127.0.0.1" + dir.path())));
    QVERIFY(!PageRules::mayReadLocal(QUrl(u"file://localhost" + fifo)));
    QVERIFY(PageRules::mayReadLocal(QUrl(u"file://" + dir.path())));
}

void TestPageRules::softwareRenderer_data()
{
    QTest::addColumn<QByteArray>("renderer");
    QTest::addColumn<bool>("software");
    QTest::newRow("llvmpipe") << QByteArray("llvmpipe (LLVM 15.0.6, 256 bits)") << true;
    QTest::newRow("classic swrast") << QByteArray("Mesa DRI Software Rasterizer") << true;
    QTest::newRow("swiftshader") << QByteArray("Google SwiftShader") << true;
    QTest::newRow("intel") << QByteArray("Mesa Intel(R) UHD Graphics 620 (KBL GT2)") << false;
    QTest::newRow("radeon") << QByteArray("AMD Radeon RX 6600 (radeonsi, LLVM 15.0.6)") << false;
}

void TestPageRules::softwareRenderer()
{
    QFETCH(QByteArray, renderer);
    QFETCH(bool, software);
    QCOMPARE(RenderPath::softwareRenderer(renderer), software);
}

QTEST_GUILESS_MAIN(TestPageRules)
#include "tst_pagerules.moc"

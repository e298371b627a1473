// Which addresses the page view refuses, and which OpenGL renderers draw on the processor,
// as tables.
#include "hosted/pagerules.h"
#include "hosted/renderpath.h"

#include <QTest>
#include <QUrl>

class TestPageRules : public QObject
{
    Q_OBJECT
private slots:
    void refusal_data();
    void refusal();
    void maySignIn_data();
    void maySignIn();
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

void TestPageRules::maySignIn_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<QString>("named");
    QTest::newRow("the page itself") << "http://site.test/private" << "http://site.test/private"
                                     << true << "site.test";
    QTest::newRow("its own resource") << "https://SITE.test:443/img" << "https://site.test/"
                                      << true << "site.test";
    QTest::newRow("its own port") << "http://127.0.0.2:8080/a" << "http://127.0.0.2:8080/"
                                  << true << "127.0.0.2:8080";
    QTest::newRow("another host") << "http://127.0.0.2/frame" << "http://127.0.0.1/" << false
                                  << "127.0.0.2";
    QTest::newRow("another port") << "http://site.test:81/" << "http://site.test/" << false
                                  << "site.test:81";
    QTest::newRow("downgraded") << "http://site.test/" << "https://site.test/" << false
                                << "site.test";
    QTest::newRow("no page yet") << "http://site.test/" << "" << false << "site.test";
}

void TestPageRules::maySignIn()
{
    QFETCH(QString, request);
    QFETCH(QString, page);
    QFETCH(bool, asks);
    QFETCH(QString, named);
    QCOMPARE(PageRules::maySignIn(QUrl(request), QUrl(page)), asks);
    QCOMPARE(PageRules::siteName(QUrl(request)), named);
}

QTEST_GUILESS_MAIN(TestPageRules)
#include "tst_pagerules.moc"

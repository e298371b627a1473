// Ads and trackers on the real engine: what the lists block is never requested, what they
// hide never shows, and the user's own address still loads. (Letting a site's ads through
// is the journey's.)
#include "filters/contentblocking.h"
#include "support/enginetest.h"

#include <QHostAddress>
#include <QTemporaryFile>
#include <QTest>

class TestBlockingEngine : public EngineTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void adsAreNeitherRequestedNorShown();

private:
    QTemporaryFile m_list;
};

void TestBlockingEngine::init()
{
    // 127.0.0.2 stands for an ad network: another site than the pages' 127.0.0.1.
    QVERIFY(m_list.open());
    m_list.write("[Adblock Plus 2.0]\n||127.0.0.2^$third-party\n@@||127.0.0.2^*/allowed/\n"
                 "##.banner-ad\n");
    m_list.flush();
    QVERIFY(openWindow({ { m_list.fileName(), QStringLiteral("test"), {} } }));
    QVERIFY(m_server->listenAlso(QHostAddress(QStringLiteral("127.0.0.2"))));
}

void TestBlockingEngine::cleanup()
{
    closeWindow();
}

void TestBlockingEngine::adsAreNeitherRequestedNorShown()
{
    const QString ads = m_server->url("/").replace("127.0.0.1", "127.0.0.2");
    m_server->page("/news",
        "<html><head><title>News</title></head><body><img src='/own.png'>"
        "<img src='"
            + ads.toUtf8() + "ad.png'><img src='" + ads.toUtf8()
            + "allowed/x.png'>"
              "<iframe src='"
            + ads.toUtf8()
            + "frame'></iframe>"
              "<div class=banner-ad id=b>advert</div><script>"
              // Read as the page is parsed, before it first paints.
              "fetch('/display?' + getComputedStyle(document.getElementById('b')).display)"
              "</script></body></html>");
    go(m_server->url("/news"));
    QTRY_VERIFY_WITH_TIMEOUT(m_server->requested.contains("/allowed/x.png"), timeout);
    QTRY_VERIFY_WITH_TIMEOUT(m_server->requested.contains("/display?none"), timeout);
    QVERIFY(m_server->requested.contains("/own.png"));
    QVERIFY(!m_server->requested.contains("/ad.png"));
    QVERIFY(!m_server->requested.contains("/frame"));

    // An ad network's address the user types loads.
    m_server->page("/typed", "<html><head><title>Typed</title></head><body></body></html>");
    go(ads + "typed");
    QTRY_COMPARE_WITH_TIMEOUT(caption(1), QStringLiteral("Typed"), timeout);
}

QTEST_MAIN(TestBlockingEngine)
#include "tst_blocking_engine.moc"

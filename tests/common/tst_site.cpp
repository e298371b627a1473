// Which addresses are one site, what the window calls a site, and what an answer holds for.
#include "common/hostnames.h"
#include "common/memory.h"
#include "common/permissionanswers.h"
#include "common/site.h"
#include "hosted/questions/permissionrules.h"

#include <QTest>
#include <QUrl>

class TestSite : public QObject
{
    Q_OBJECT
private slots:
    void site_data();
    void site();
    void hostNames_data();
    void hostNames();
    void answersAreBySiteAndKind();
    void availableMemory_data();
    void availableMemory();
};

void TestSite::availableMemory_data()
{
    QTest::addColumn<QByteArray>("meminfo");
    QTest::addColumn<double>("share");
    QTest::newRow("a tenth") << QByteArray(
        "MemTotal:  1000 kB\nMemFree: 5 kB\nMemAvailable:   100 kB\n")
                             << 0.1;
    QTest::newRow("no MemAvailable") << QByteArray("MemTotal: 1000 kB\nMemFree: 5 kB\n") << 1.0;
    QTest::newRow("no total") << QByteArray("MemAvailable: 100 kB\n") << 1.0;
    QTest::newRow("more than there is")
        << QByteArray("MemTotal: 10 kB\nMemAvailable: 100 kB\n") << 1.0;
    QTest::newRow("garbage") << QByteArray("MemTotal: lots\nMemAvailable: -\n") << 1.0;
}

// Tabs sleep sooner below a tenth: a misread share must never read as a shortage.
void TestSite::availableMemory()
{
    QFETCH(QByteArray, meminfo);
    QFETCH(double, share);
    QCOMPARE(Memory::availableShare(meminfo), share);
}

void TestSite::site_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("other");
    QTest::addColumn<bool>("same");
    QTest::addColumn<QString>("shown"); // "" for no site
    QTest::newRow("its own resource") << "https://SITE.test:443/img"
                                      << "https://site.test/" << true << "site.test";
    QTest::newRow("plain http says so") << "http://site.test/a"
                                        << "http://site.test/b" << true << "http://site.test";
    QTest::newRow("its own port") << "http://127.0.0.2:8080/a"
                                  << "http://127.0.0.2:8080/" << true << "http://127.0.0.2:8080";
    QTest::newRow("another host") << "http://127.0.0.2/"
                                  << "http://127.0.0.1/" << false << "http://127.0.0.2";
    QTest::newRow("another port") << "https://site.test:8443/"
                                  << "https://site.test/" << false << "site.test:8443";
    QTest::newRow("downgraded") << "http://site.test/"
                                << "https://site.test/" << false << "http://site.test";
    QTest::newRow("ipv6") << "http://[::1]:81/"
                          << "http://[::1]:81/x" << true << "http://[::1]:81";
    QTest::newRow("blob is its maker's") << "blob:https://site.test/1f0c"
                                         << "https://site.test/" << true << "site.test";
    // As every place shows hosts: in their own letters where they cannot pass for another.
    QTest::newRow("international") << "https://xn--bcher-kva.de/"
                                   << "https://bücher.de" << true << "bücher.de";
    QTest::newRow("file") << "file:///tmp/a"
                          << "file:///tmp/a" << false << "";
    QTest::newRow("file with a host") << "file://localhost/tmp"
                                      << "file://localhost/" << false << "";
    QTest::newRow("data") << "data:text/html,x"
                          << "data:text/html,x" << false << "";
    QTest::newRow("opaque") << "null"
                            << "null" << false << "";
    QTest::newRow("nothing yet") << "http://site.test/"
                                 << "" << false << "http://site.test";
}

void TestSite::site()
{
    QFETCH(QString, address);
    QFETCH(QString, other);
    QFETCH(bool, same);
    QFETCH(QString, shown);
    const auto site = Site::of(QUrl(address));
    QCOMPARE(site && site == Site::of(QUrl(other)), same);
    QCOMPARE(site ? site->shown() : QString(), shown);
}

void TestSite::hostNames_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Latin with a Cyrillic a") << "http://xn--pypal-4ve.com/login"
                                             << "http://xn--pypal-4ve.com/login";
    QTest::newRow("all Cyrillic, Latin look") << "https://xn--80ak6aa92e.com/"
                                              << "https://xn--80ak6aa92e.com/";
    QTest::newRow("Cyrillic under its own domain") << "https://xn--e1afmkfd.xn--p1ai/"
                                                   << "https://пример.рф/";
    QTest::newRow("German") << "https://xn--mnchen-3ya.de/"
                            << "https://münchen.de/";
    QTest::newRow("Han and kana") << "https://xn--r8jz45g.jp/"
                                  << "https://例え.jp/";
    QTest::newRow("Greek with Latin") << "http://xn--googl-vce.com/"
                                      << "http://xn--googl-vce.com/";
    QTest::newRow("user name like a host") << "http://xn--pypal-4ve.com@xn--mnchen-3ya.de/"
                                           << "http://xn--pypal-4ve.com@münchen.de/";
    QTest::newRow("plain") << "http://127.0.0.1:81/a?b#c"
                           << "http://127.0.0.1:81/a?b#c";
}

// Look-alike hosts are spelled out wherever a host is shown; real names in their letters.
void TestSite::hostNames()
{
    QFETCH(QString, address);
    QFETCH(QString, shown);
    QCOMPARE(HostNames::shownAddress(QUrl(address)), shown);
    // A site is named by the same rule.
    const QUrl url(address);
    QVERIFY(Site::of(url)->shown().contains(HostNames::shown(url.host())));
}

void TestSite::answersAreBySiteAndKind()
{
    PermissionAnswers answers;
    const auto site = [](const char *address) { return *Site::of(QUrl(QLatin1String(address))); };
    answers.remember(site("https://maps.test/route?x=1"), Permission::Location, true);
    QCOMPARE(answers.given(site("https://maps.test/other"), Permission::Location), true);
    QCOMPARE(answers.given(site("http://maps.test/"), Permission::Location), std::nullopt);
    QCOMPARE(answers.given(site("https://maps.test/"), Permission::Camera), std::nullopt);
    // Refused without a question: the mouse, and the screen the engine would share whole.
    QVERIFY(!Permissions::kindOf(QWebEnginePage::Feature::MouseLock));
    QVERIFY(!Permissions::kindOf(QWebEnginePage::Feature::DesktopVideoCapture));
}

QTEST_GUILESS_MAIN(TestSite)
#include "tst_site.moc"

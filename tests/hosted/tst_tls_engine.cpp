// HTTPS on the real engine: a certificate the engine trusts shows the lock mark, one it
// rejects ends as a navigation error and never shows a lock.
#include "hosted/engineprofile.h"
#include "support/browsers.h"
#include "support/httpresponder.h"
#include "support/windowdriver.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "window/form1.h"
#include "window/mainstatusbar.h"
#include "window/tabopening.h"
#include "window/warningpanel.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslKey>
#include <QTest>

namespace {

constexpr int timeout = 20000;

QString certificateFile(const char *name)
{
    return QStringLiteral(QT_TESTCASE_SOURCEDIR "/support/tls/") + QLatin1String(name);
}

// A plain server with the start page, an HTTPS one the engine trusts with "Bank", and one
// whose certificate it rejects with "Forged".
struct Servers
{
    HttpResponder plain;
    HttpResponder secure { certificateFile("trusted.crt"), certificateFile("trusted.key") };
    HttpResponder forged { certificateFile("untrusted.crt"), certificateFile("untrusted.key") };

    Servers()
    {
        plain.page("/start/", "<html><head><title>Start</title></head><body>start</body></html>");
        secure.page("/bank", "<html><head><title>Bank</title></head><body>money</body></html>");
        forged.page("/bank", "<html><head><title>Forged</title></head><body>phish</body></html>");
    }
};

// The browser shown on a start page, the plain server's being its home.
struct Window : WindowDriver
{
    std::unique_ptr<Browser> browser;

    Window(const Servers &servers, const QString &start)
        : browser(makeBrowser({ start, servers.plain.url("") }))
    {
        window = &browser->form();
        window->show();
    }
};

} // namespace

class TestTlsEngine : public QObject
{
    Q_OBJECT
public:
    static void initMain()
    {
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        // The engine trusts the test's own certificate by its public key, as a user's
        // certificate store would; it must be told before it starts.
        QFile file(certificateFile("trusted.crt"));
        file.open(QIODevice::ReadOnly);
        const QByteArray publicKey = QSslCertificate(file.readAll()).publicKey().toDer();
        const QByteArray pin
            = QCryptographicHash::hash(publicKey, QCryptographicHash::Sha256).toBase64();
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            qgetenv("QTWEBENGINE_CHROMIUM_FLAGS")
                + " --ignore-certificate-errors-spki-list=" + pin);
    }

private slots:
    void trustedPageShowsTheLock();
    void rejectedCertificateIsAnError();
    void lockGoesWhenTheTabLeavesTheEncryptedPage_data();
    void lockGoesWhenTheTabLeavesTheEncryptedPage();
};

void TestTlsEngine::trustedPageShowsTheLock()
{
    Servers servers;
    HttpResponder &plain = servers.plain, &secure = servers.secure;
    const Window f(servers, plain.address("/start/"));
    QTRY_COMPARE_WITH_TIMEOUT(f.header(1)->look().caption, QStringLiteral("Start"), timeout);
    QVERIFY(!f.header(1)->look().lock);

    f.window->opening().open();
    f.page(2)->Navigate(secure.url("/bank"));
    QTRY_COMPARE_WITH_TIMEOUT(f.header(2)->look().caption, QStringLiteral("     Bank"), timeout);
    QVERIFY(f.header(2)->look().lock);
    // Completing in the active tab leaves the lock picture beside "Encrypted".
    QCOMPARE(f.panel2Text(), QStringLiteral("Encrypted"));
    QVERIFY(!f.panel2Picture().isNull());
    f.header(1)->sellect();
    QCOMPARE(f.panel2Text(), QString());
    f.header(2)->sellect();
    QCOMPARE(f.panel2Text(), QStringLiteral("Encrypted"));
    QVERIFY(!f.panel2Picture().isNull());
    // Back to a plain page: the lock goes.
    f.page(2)->Navigate(plain.url("/start/"));
    QTRY_VERIFY_WITH_TIMEOUT(!f.header(2)->look().lock, timeout);
}

void TestTlsEngine::rejectedCertificateIsAnError()
{
    Servers servers;
    const HttpResponder &forged = servers.forged;
    const Window f(servers, servers.plain.address("/start/"));
    QTRY_COMPARE_WITH_TIMEOUT(f.header(1)->look().caption, QStringLiteral("Start"), timeout);
    QSignalSpy errors(f.page(1), &PageView::NavigateError);
    QSignalSpy completions(f.page(1), &PageView::DocumentComplete);
    f.page(1)->Navigate(forged.url("/bank"));
    QTRY_COMPARE_WITH_TIMEOUT(errors.size(), 1, timeout);
    QTRY_VERIFY_WITH_TIMEOUT(f.warningShown(), timeout);
    QCOMPARE(f.warningTitle(), QStringLiteral("An error accured"));
    // The load ends as one no server answered: named by its address, never with a lock.
    QTRY_COMPARE_WITH_TIMEOUT(completions.size(), 1, timeout);
    QVERIFY(!f.header(1)->look().lock);
    QCOMPARE(f.header(1)->look().caption.trimmed(), forged.url("/bank"));
    QVERIFY(forged.requested.isEmpty());
}

void TestTlsEngine::lockGoesWhenTheTabLeavesTheEncryptedPage_data()
{
    QTest::addColumn<QString>("next");
    QTest::newRow("failed load") << "failed";
    QTest::newRow("plain page") << "plain";
    // Shown, and never complete (a picture that never comes): the lock goes as it shows.
    QTest::newRow("plain page loading") << "loading";
}

void TestTlsEngine::lockGoesWhenTheTabLeavesTheEncryptedPage()
{
    // A lock shown over a page that is not encrypted is a sign that lies.
    QFETCH(QString, next);
    Servers servers;
    HttpResponder &plain = servers.plain, &secure = servers.secure;
    plain.route("/slow.png", { 200, "image/png", "", 60000, {} });
    plain.page("/loading", "<html><body><img src='/slow.png'></body></html>");
    const Window f(servers, secure.url("/bank"));
    QTRY_VERIFY_WITH_TIMEOUT(f.header(1)->look().lock, timeout);
    QTRY_COMPARE_WITH_TIMEOUT(f.panel2Text(), QStringLiteral("Encrypted"), timeout);
    QSignalSpy ends(f.page(1), &PageView::DownloadComplete);
    const QString address = next == u"failed" ? secure.url("/missing")
        : next == u"plain"                    ? plain.url("/start/")
                                              : plain.url("/loading");
    f.page(1)->Navigate(address);
    if (next == u"loading")
        QTRY_VERIFY_WITH_TIMEOUT(f.page(1)->LocationURL() == address, timeout);
    else
        QTRY_VERIFY_WITH_TIMEOUT(ends.size() >= 1, timeout);
    QTRY_VERIFY_WITH_TIMEOUT(!f.header(1)->look().lock, timeout);
    QCOMPARE(f.panel2Text(), QString());
    QVERIFY(f.panel2Picture().isNull());
    if (next == u"failed")
        QCOMPARE(f.warningTitle(), QStringLiteral("An error accured"));
    if (next == u"loading")
        QVERIFY(f.page(1)->isLoading());
}

QTEST_MAIN(TestTlsEngine)
#include "tst_tls_engine.moc"

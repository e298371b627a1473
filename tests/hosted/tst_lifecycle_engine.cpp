// A thousand tabs opened, loaded and closed on the real engine, with pop-ups and downloads
// mixed in: no crash, no view or page left behind, memory back near where it started.
#include "hosted/downloads/downloadsaver.h"
#include "hosted/engineprofile.h"
#include "support/browsers.h"
#include "support/httpresponder.h"
#include "support/windowdriver.h"
#include "tab_header/flik.h"
#include "tabs/tabs.h"
#include "window/form1.h"
#include "window/tabopening.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>

namespace {

constexpr int timeout = 20000;
constexpr int cycles = 1000;

// The resident memory of this process, in MiB.
double residentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toDouble() * 4096 / (1024 * 1024) : 0;
}

} // namespace

class TestLifecycleEngine : public QObject
{
    Q_OBJECT
public:
    static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

private slots:
    void thousandCycles();
};

void TestLifecycleEngine::thousandCycles()
{
    HttpResponder server;
    server.page("/start/", "<html><head><title>Start</title></head><body>start</body></html>");
    server.page("/page", "<html><head><title>Page</title></head><body><p>a page</p></body></html>");
    server.page("/popup",
        "<html><head><title>Opener</title></head><body>"
        "<script>window.open('/page')</script></body></html>");
    server.route("/file",
        { 200, "application/octet-stream", "data", 0,
            { { "Content-Disposition", "attachment; filename=\"f.bin\"" } } });
    QTemporaryDir downloads;
    const auto browser = makeBrowser({ server.address("/start/"), server.url("") });
    browser->engine()->downloads()->setDirectory(downloads.path());
    Form1 &form = browser->form();
    const WindowDriver f(&form);
    form.show();
    QTRY_VERIFY_WITH_TIMEOUT(f.page(1)->LocationName() == "Start", timeout);

    const auto settle = [&] {
        QTest::qWait(20); // the engine's own posted work runs in between
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    const auto openTabs = [&] { return f.openTabs(); };

    // A first round warms the engine's caches before memory is measured.
    double before = 0;
    QRandomGenerator random(8122026);
    for (int cycle = 0; cycle < cycles; ++cycle) {
        if (cycle == 50) {
            settle();
            before = residentMiB();
        }
        form.opening().open();
        const int index = f.activeTab();
        const int kind = random.bounded(10);
        const char *path = kind == 0 ? "/popup" : kind == 1 ? "/file" : "/page";
        f.page(index)->Navigate(server.url(path));
        if (random.bounded(2))
            QTRY_VERIFY_WITH_TIMEOUT(
                !f.page(index)->LocationName().isEmpty() || kind == 1, timeout);
        // Keep a handful of tabs open and close one at random, the last one too at times.
        QList<int> open = openTabs();
        while (open.size() > random.bounded(1, 6)) {
            const int victim = open.takeAt(random.bounded(int(open.size())));
            f.clickClose(victim);
        }
        if (cycle % 100 == 99)
            settle();
    }
    for (int index : openTabs())
        f.clickClose(index);
    QTest::qWait(500); // the closed pages' renderers go meanwhile; nothing tells when
    settle();

    QCOMPARE(openTabs().size(), 0);
    // Only the hidden template's view is left, and it never had an engine page.
    QCOMPARE(f.viewArea()->findChildren<PageView *>().size(), 1);
    QCOMPARE(form.findChildren<QWebEnginePage *>().size(), 0);
    // The last tab closing and opening again still works.
    form.opening().open();
    f.page(f.activeTab())->Navigate(server.url("/page"));
    QTRY_COMPARE_WITH_TIMEOUT(
        f.page(f.activeTab())->LocationName(), QStringLiteral("Page"), timeout);
    const double after = residentMiB();
    qInfo(
        "resident memory: %.0f MiB after warm-up, %.0f MiB after %d cycles", before, after, cycles);
    QVERIFY2(after < before + 100, qPrintable(QString::number(after - before)));
}

QTEST_MAIN(TestLifecycleEngine)
#include "tst_lifecycle_engine.moc"

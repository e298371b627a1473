// Cases inside this process: the window's own tab code at scale on fake views, the source
// view of a 2 MB page, a 2 MB page's load, and keyword screening of 1 MB.
#include "app/browser.h"
#include "benchtable.h"
#include "cases.h"
#include "hosted/engineprofile.h"
#include "page_events/contentwarnings.h"
#include "page_events/pageevents.h"
#include "support/fakepageview.h"
#include "support/httpresponder.h"
#include "support/windowdriver.h"
#include "tab_header/flik.h"
#include "tabs/sourceeditor.h"
#include "tabs/tab.h"
#include "tabs/tabclosing.h"
#include "tabs/tabs.h"
#include "window/form1.h"
#include "window/tabopening.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

constexpr int timeout = 60000;

// Waits for a condition; a case that never gets there says so rather than reporting.
template <typename Condition> void waitFor(Condition condition, const char *what)
{
    if (!QTest::qWaitFor(condition, timeout))
        qFatal("benchmark: timed out waiting for %s", what);
}

double elapsedMs(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// A window on the real engine, once it shows the local server's start page.
struct EngineWindow
{
    Browser browser;
    EngineProfile &profile;
    Form1 &form;

    explicit EngineWindow(HttpResponder &server)
        : browser(BrowserAddresses { server.address("/start/"), server.url("") })
        , profile(*browser.engine())
        , form(browser.form())
    {
        server.page("/start/", "<html><head><title>Start</title></head><body>start</body></html>");
        form.resize(1000, 700);
        form.show();
        waitFor([&] { return form.tabs().tab(1)->page()->LocationName() == u"Start"; },
            "the start page");
    }
};

// Markup of about the given size, as a body full of paragraphs.
QByteArray bigBody(int bytes)
{
    QByteArray body;
    body.reserve(bytes + 200);
    for (int i = 0; body.size() < bytes; ++i)
        body += "<p class=\"row\">Paragraph " + QByteArray::number(i)
            + " with <a href=\"/x\">a link</a> and <b>bold</b> words.</p>\n";
    return body;
}

struct TabTimes
{
    double open = 0, activate = 0, caption = 0, close = 0;
};

// Microseconds per operation for n tabs on fake views.
TabTimes tabsAtScale(int n, quint32 seed)
{
    FakeViews views;
    Browser browser(
        views.factory(), { QStringLiteral("start.test/start/"), QStringLiteral("http://s.test") });
    Form1 &form = browser.form();
    TabTimes times;
    QElapsedTimer clock;
    clock.start();
    for (int i = 1; i < n; ++i) // tab 1 is there from start-up
        form.opening().open();
    times.open = elapsedMs(clock) * 1000 / qMax(1, n - 1);

    clock.restart();
    for (int i = 1; i <= n; ++i)
        form.tabs().tab(i)->header()->sellect();
    times.activate = elapsedMs(clock) * 1000 / n;

    clock.restart();
    for (int i = 1; i <= n; ++i)
        form.tabs().tab(i)->header()->Caption(
            QStringLiteral("Page number %1 of the benchmark").arg(i));
    times.caption = elapsedMs(clock) * 1000 / n;

    QList<int> order;
    for (int i = 1; i <= n; ++i)
        order << i;
    QRandomGenerator random(seed);
    std::shuffle(order.begin(), order.end(), random);
    clock.restart();
    for (int index : order)
        form.tabs().closing().close(index);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    times.close = elapsedMs(clock) * 1000 / n;
    return times;
}

void tabCases(BenchTable &table, int runs)
{
    std::map<int, QList<TabTimes>> results;
    for (int run = 0; run < runs; ++run)
        for (const int n : { 10, 100, 1000 })
            results[n] << tabsAtScale(n, quint32(run + 1));
    const auto med = [&](int n, double TabTimes::*field) {
        QList<double> samples;
        for (const TabTimes &t : results[n])
            samples << t.*field;
        return BenchTable::median(samples);
    };
    const std::pair<const char *, double TabTimes::*> operations[] = {
        { "open", &TabTimes::open },
        { "activate", &TabTimes::activate },
        { "caption", &TabTimes::caption },
        { "close", &TabTimes::close },
    };
    for (const auto &[name, field] : operations)
        for (const int n : { 100, 1000 })
            table.add(QStringLiteral("3. %1 a tab, N = %2").arg(QLatin1String(name)).arg(n),
                med(n, field), QStringLiteral("same, N = 10"), med(10, field),
                QStringLiteral("us/op"));
}

void sourceAndLoadCases(BenchTable &table, int runs)
{
    HttpResponder server;
    const QByteArray body = bigBody(2 * 1024 * 1024);
    server.page("/big", "<html><head><title>Big</title></head><body>" + body + "</body></html>");
    EngineWindow window(server);
    EngineProfile &profile = window.profile;
    Form1 &form = window.form;

    // Loading the 2 MB page, against a bare view on the same profile loading it.
    QList<double> browserLoad, bareLoad;
    auto *bare = new QWebEngineView;
    bare->setPage(new QWebEnginePage(profile.profile(), bare));
    bare->resize(1000, 600);
    bare->show();
    for (int run = 0; run < runs; ++run) {
        bool done = false;
        auto connection = QObject::connect(
            form.tabs().tab(1)->page(), &PageView::DocumentComplete, &form, [&] { done = true; });
        QElapsedTimer clock;
        clock.start();
        form.tabs().tab(1)->page()->Navigate(server.url("/big"));
        waitFor([&] { return done; }, "the browser's load");
        browserLoad << elapsedMs(clock);
        QObject::disconnect(connection);

        done = false;
        connection
            = QObject::connect(bare, &QWebEngineView::loadFinished, bare, [&] { done = true; });
        clock.restart();
        bare->load(QUrl(server.url("/big")));
        waitFor([&] { return done; }, "the bare view's load");
        bareLoad << elapsedMs(clock);
        QObject::disconnect(connection);
    }
    delete bare;
    table.add(QStringLiteral("load a 2 MB page"), BenchTable::median(browserLoad),
        QStringLiteral("bare view, same profile"), BenchTable::median(bareLoad),
        QStringLiteral("ms"));

    // Switching to the source view until the editor holds the markup.
    SourceEditor *editor = form.tabs().tab(1)->source();
    const qsizetype expected = QString::fromUtf8(body).size();
    QList<double> switches, setTexts;
    for (int run = 0; run < runs; ++run) {
        editor->setText(QString());
        QElapsedTimer clock;
        clock.start();
        WindowDriver(&form).press("sc");
        waitFor([&] { return editor->text().size() >= expected; }, "the source view");
        switches << elapsedMs(clock);
        WindowDriver(&form).press("sc");
        QCoreApplication::processEvents();
    }
    const QString markup = QString::fromUtf8(body);
    SourceEditor alone;
    alone.setLanguage(QStringLiteral("HTML"));
    alone.resize(1000, 600);
    alone.show();
    for (int run = 0; run < runs; ++run) {
        alone.setText(QString());
        QElapsedTimer clock;
        clock.start();
        alone.setText(markup);
        setTexts << elapsedMs(clock);
    }
    table.add(QStringLiteral("4. source view of a 2 MB page"), BenchTable::median(switches),
        QStringLiteral("QsciScintilla::setText alone"), BenchTable::median(setTexts),
        QStringLiteral("ms"));
}

struct EngineEventTimes
{
    double focus = 0, download = 0;
};

// Microseconds for one focus change and for one download request of the profile, with n
// tabs open on the real engine (blank tabs but the first).
EngineEventTimes engineEventsAtScale(HttpResponder &server, int n)
{
    EngineWindow window(server);
    EngineProfile &profile = window.profile;
    Form1 &form = window.form;
    for (int i = 1; i < n; ++i)
        form.opening().open();
    EngineEventTimes times;

    // Focus moving between two fields of another window.
    QWidget pair;
    auto *layout = new QVBoxLayout(&pair);
    auto *first = new QLineEdit(&pair);
    auto *second = new QLineEdit(&pair);
    layout->addWidget(first);
    layout->addWidget(second);
    pair.show();
    QApplication::setActiveWindow(&pair);
    waitFor([&] { return QApplication::activeWindow() == &pair; }, "the fields' window");
    constexpr int changes = 2000;
    QElapsedTimer clock;
    clock.start();
    for (int k = 0; k < changes; ++k)
        (k % 2 ? first : second)->setFocus();
    times.focus = elapsedMs(clock) * 1000 / changes;

    // The profile's download request, delivered again and again while the first delivery
    // of a real one is being handled. It comes from a page of no tab, so every tab lets it
    // be; what is measured is the delivery.
    QWebEnginePage stranger(profile.profile());
    bool measuring = false;
    QObject::connect(profile.profile(), &QWebEngineProfile::downloadRequested, &form,
        [&](QWebEngineDownloadRequest *download) {
            if (measuring || times.download > 0)
                return;
            measuring = true;
            constexpr int requests = 2000;
            QElapsedTimer delivery;
            delivery.start();
            for (int k = 0; k < requests; ++k)
                emit profile.profile()->downloadRequested(download);
            times.download = elapsedMs(delivery) * 1000 / requests;
            measuring = false;
            download->cancel();
        });
    stranger.load(QUrl(server.url("/file")));
    waitFor([&] { return times.download > 0; }, "the download request");
    return times;
}

void engineEventCases(BenchTable &table, int runs)
{
    HttpResponder server;
    server.route("/file",
        { 200, "application/octet-stream", "x", 0,
            { { "Content-Disposition", "attachment; filename=\"f.bin\"" } } });
    std::map<int, QList<EngineEventTimes>> results;
    for (int run = 0; run < runs; ++run)
        for (const int n : { 10, 1000 })
            results[n] << engineEventsAtScale(server, n);
    const auto med = [&](int n, double EngineEventTimes::*field) {
        QList<double> samples;
        for (const EngineEventTimes &t : results[n])
            samples << t.*field;
        return BenchTable::median(samples);
    };
    table.add(QStringLiteral("6. one focus change, N = 1000"), med(1000, &EngineEventTimes::focus),
        QStringLiteral("same, N = 10"), med(10, &EngineEventTimes::focus), QStringLiteral("us/op"));
    table.add(QStringLiteral("6. one download request, N = 1000"),
        med(1000, &EngineEventTimes::download), QStringLiteral("same, N = 10"),
        med(10, &EngineEventTimes::download), QStringLiteral("us/op"));
}

// Case 9: a sleeping tab woken until its page has completed, against a fresh tab loading
// the same page.
void wakingCase(BenchTable &table, int runs)
{
    HttpResponder server;
    QByteArray rows;
    for (int i = 0; i < 3000; ++i)
        rows += "<div>row " + QByteArray::number(i) + "</div>";
    server.page("/page", "<html><head><title>Page</title></head><body>" + rows + "</body></html>");
    EngineWindow window(server);
    Form1 &form = window.form;
    Tabs &tabs = form.tabs();
    const auto loadTime = [&](PageView *view, const std::function<void()> &start) {
        bool done = false;
        auto connection
            = QObject::connect(view, &PageView::DocumentComplete, &form, [&] { done = true; });
        QElapsedTimer clock;
        clock.start();
        start();
        waitFor([&] { return done; }, "the page");
        QObject::disconnect(connection);
        return elapsedMs(clock);
    };
    QList<double> waking, fresh;
    for (int run = 0; run < runs; ++run) {
        form.opening().open();
        const int index = tabs.ubound();
        PageView *view = tabs.tab(index)->page();
        fresh << loadTime(view, [&] { view->Navigate(server.url("/page")); });
        form.opening().open();
        if (view->rest(PageView::Rest::Asleep) != PageView::Rest::Asleep)
            qFatal("benchmark: the covered tab did not sleep");
        waking << loadTime(view, [&] { tabs.activate(index); });
    }
    table.add(QStringLiteral("9. wake a sleeping tab until its page completes"),
        BenchTable::median(waking), QStringLiteral("a fresh tab loading it"),
        BenchTable::median(fresh), QStringLiteral("ms"));
}

void screeningCase(BenchTable &table, int runs)
{
    QString text;
    QRandomGenerator random(1);
    static const char *const words[] = { "free", "download", "page", "news", "essex", "virtual",
        "scan", "weather", "pornography" };
    while (text.size() < 1024 * 1024)
        text += QLatin1String(words[random.bounded(9)]) + u' ';
    QList<double> screens, contains;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        std::size_t found = 0;
        for (auto source : { ContentWarnings::Source::StatusText, ContentWarnings::Source::Title,
                 ContentWarnings::Source::Address })
            found += ContentWarnings::screen(source, text).size();
        screens << elapsedMs(clock) / 3;
        clock.restart();
        found += text.contains(u"virus") ? 1 : 0;
        contains << elapsedMs(clock);
        if (found == 0)
            qWarning("nothing found");
    }
    table.add(QStringLiteral("5. keyword screening of 1 MB"), BenchTable::median(screens),
        QStringLiteral("one QString::contains"), BenchTable::median(contains),
        QStringLiteral("ms"));
}

} // namespace

void runInProcessCases(BenchTable &table, int runs)
{
    if (caseWanted(3))
        tabCases(table, runs);
    if (caseWanted(6))
        engineEventCases(table, runs);
    if (caseWanted(4))
        sourceAndLoadCases(table, runs);
    if (caseWanted(5))
        screeningCase(table, runs);
    if (caseWanted(9))
        wakingCase(table, runs);
}

// Start-up and memory as whole processes: the real tessarvine, started with local
// addresses as a user starts it, against a bare program of QWebEngineViews in a tab widget
// loading the same pages, side by side in one run. Each page tells the local server when
// it has loaded, so both are timed the same way and neither needs a hook.
#include "benchtable.h"
#include "cases.h"
#include "processrun.h"
#include "support/httpresponder.h"

#include <map>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QSet>
#include <QTabWidget>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <unistd.h>

namespace {

QStringList pageUrls(const HttpResponder &server, int pages)
{
    QStringList urls;
    for (int n = 1; n <= pages; ++n)
        urls << server.url("/page" + QByteArray::number(n));
    return urls;
}

// Runs the browser (with its options first) and the bare program in turn, runs times,
// with the addresses given.
std::vector<std::pair<RunResult, RunResult>> compareWithBare(HttpResponder &server,
    const QStringList &urls, int runs, Settle settle, const QStringList &options = {})
{
    std::vector<std::pair<RunResult, RunResult>> results;
    for (int run = 0; run < runs; ++run) {
        // A browser of its own, whatever else runs on the display.
        const RunResult browser = runOnce(server, QStringLiteral(TESSARVINE_BINARY),
            QStringList { QStringLiteral("--new-instance") } + options + urls, int(urls.size()),
            settle);
        const RunResult bare = runOnce(server, QCoreApplication::applicationFilePath(),
            QStringList { QStringLiteral("child"), QStringLiteral("bare") } + urls,
            int(urls.size()), settle);
        results.emplace_back(browser, bare);
    }
    return results;
}

// The medians of one field, for the browser and for the bare program.
std::pair<double, double> medians(
    const std::vector<std::pair<RunResult, RunResult>> &results, double RunResult::*field)
{
    QList<double> browser, bare;
    for (const auto &[b, p] : results) {
        browser << b.*field;
        bare << p.*field;
    }
    return { BenchTable::median(browser), BenchTable::median(bare) };
}

// Runs the browser and the bare program in turn, runs times, with pages addresses each.
std::pair<Pair, Pair> compareStarts(HttpResponder &server, int pages, int runs, bool measureMemory)
{
    Pair times, memory;
    for (const auto &[browser, bare] :
        compareWithBare(server, pageUrls(server, pages), runs, { 1500, measureMemory, 0 })) {
        times.browser << browser.ms;
        times.bare << bare.ms;
        memory.browser << browser.pssMiB;
        memory.bare << bare.pssMiB;
    }
    return { times, memory };
}

// Case 8: fifty everyday pages from fifty sites; the covered tabs sleep after 10 s, and
// memory is measured 20 s after all have loaded, then the processor used while idle.
void manyTabsCase(BenchTable &table, int runs)
{
    HttpResponder server;
    const QStringList urls = everydaySites(server);
    const auto results = compareWithBare(server, urls, qMax(3, runs / 2), { 20000, true, 5000 },
        { QStringLiteral("--sleep-after"), QStringLiteral("10s") });
    const auto add = [&](const QString &name, double RunResult::*field, const QString &unit) {
        const auto [browser, bare] = medians(results, field);
        table.add(name, browser, QStringLiteral("bare, 50 views in tabs"), bare, unit);
    };
    add(QStringLiteral("8. 50 everyday pages, start to all loaded"), &RunResult::ms,
        QStringLiteral("ms"));
    add(QStringLiteral("8. whole-tree PSS, 20 s after (slept after 10 s)"), &RunResult::pssMiB,
        QStringLiteral("MiB"));
    add(QStringLiteral("8. processor of the tree while idle"), &RunResult::idleCores,
        QStringLiteral("cores"));
}

} // namespace

int runChild(const QStringList &arguments)
{
    // The bare program: one QWebEngineView per address, in the tabs of a tab widget.
    auto *profile = new QWebEngineProfile;
    auto *tabs = new QTabWidget;
    for (const QString &address : arguments.mid(1)) {
        auto *view = new QWebEngineView;
        view->setPage(new QWebEnginePage(profile, view));
        tabs->addTab(view, address);
        view->load(QUrl(address));
    }
    tabs->setCurrentIndex(tabs->count() - 1);
    tabs->resize(810, 575);
    tabs->show();
    const int code = QApplication::exec();
    delete tabs;
    delete profile;
    return code;
}

void runProcessCases(BenchTable &table, int runs)
{
    HttpResponder server;
    for (int n = 1; n <= 10; ++n)
        server.page("/page" + QByteArray::number(n), benchPage(n));

    if (caseWanted(1)) {
        const auto [times, memory] = compareStarts(server, 1, runs, caseWanted(2));
        table.add(QStringLiteral("1. start to first page loaded"),
            BenchTable::median(times.browser), QStringLiteral("bare QWebEngineView"),
            BenchTable::median(times.bare), QStringLiteral("ms"));
        if (caseWanted(2))
            table.add(QStringLiteral("2. whole-tree PSS, 1 tab"),
                BenchTable::median(memory.browser), QStringLiteral("bare, 1 view"),
                BenchTable::median(memory.bare), QStringLiteral("MiB"));
    }
    if (caseWanted(8))
        manyTabsCase(table, runs);
    if (caseWanted(2) || caseWanted(7)) {
        const auto [times, memory] = compareStarts(server, 10, runs, caseWanted(2));
        if (caseWanted(7))
            table.add(QStringLiteral("7. start with 10 addresses to all loaded"),
                BenchTable::median(times.browser), QStringLiteral("bare, 10 views"),
                BenchTable::median(times.bare), QStringLiteral("ms"));
        if (caseWanted(2))
            table.add(QStringLiteral("2. whole-tree PSS, 10 tabs"),
                BenchTable::median(memory.browser), QStringLiteral("bare, 10 views in tabs"),
                BenchTable::median(memory.bare), QStringLiteral("MiB"));
    }
}

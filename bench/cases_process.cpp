// Start-up and memory as whole processes: the real tessarvine, started with local
// addresses as a user starts it, against a bare program of QWebEngineViews in a tab widget
// loading the same pages, side by side in one run. Each page tells the local server when
// it has loaded, so both are timed the same way and neither needs a hook.
#include "benchtable.h"
#include "cases.h"
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

// Page n of the benchmark: a small page that calls home once it has loaded.
QByteArray benchPage(int n)
{
    return "<html><head><title>Bench " + QByteArray::number(n)
        + "</title></head><body><h1>Bench</h1><p>A small local page.</p><script>"
          "addEventListener('load', () => fetch('/loaded?"
        + QByteArray::number(n) + "'));</script></body></html>";
}

// The processes of a tree: a process and all its descendants.
QList<qint64> treeOf(qint64 root)
{
    std::multimap<qint64, qint64> children;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!number || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            children.emplace(fields.at(1).toLongLong(), pid);
    }
    QList<qint64> tree, pending { root };
    while (!pending.isEmpty()) {
        const qint64 pid = pending.takeLast();
        tree << pid;
        const auto [first, last] = children.equal_range(pid);
        for (auto it = first; it != last; ++it)
            pending << it->second;
    }
    return tree;
}

// PSS in MiB of a process and all its descendants, from /proc/*/smaps_rollup.
double treePssMiB(qint64 root)
{
    double kib = 0;
    for (const qint64 pid : treeOf(root)) {
        QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
        if (rollup.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : rollup.readAll().split('\n'))
                if (line.startsWith("Pss:"))
                    kib += line.simplified().split(' ').value(1).toDouble();
        }
    }
    return kib / 1024;
}

// An everyday page: 3,000 elements, a canvas drawn 60 times a second and 8 MB of script
// data; it calls home once it has loaded.
QByteArray everydayPage(int n)
{
    return "<html><head><title>Everyday " + QByteArray::number(n)
        + "</title></head><body><canvas id=c width=300 height=150></canvas><div id=list></div>"
          "<script>"
          "const data = new Float64Array(1 << 20).map(Math.random);"
          "const list = document.getElementById('list');"
          "for (let i = 0; i < 3000; ++i) {"
          "  const row = document.createElement('div'); row.textContent = 'row ' + i;"
          "  list.appendChild(row); }"
          "const ctx = document.getElementById('c').getContext('2d'); let t = 0;"
          "setInterval(() => { ctx.fillStyle = 'hsl(' + (++t % 360) + ',50%,50%)';"
          "  ctx.fillRect(0, 0, 300, 150); }, 16);"
          "addEventListener('load', () => fetch('/loaded?"
        + QByteArray::number(n) + "'));</script></body></html>";
}

// Processor time a tree has used, in seconds.
double treeCpuSeconds(qint64 root)
{
    double ticks = 0;
    for (const qint64 pid : treeOf(root)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        ticks += fields.value(11).toDouble() + fields.value(12).toDouble(); // utime, stime
    }
    return ticks / double(sysconf(_SC_CLK_TCK));
}

struct RunResult
{
    double ms = -1;
    double pssMiB = -1;
    double idleCores = -1;
};

// What is measured once the pages have loaded: after settleMs, the tree's PSS (when
// memory is asked for) and the cores it uses over cpuMs (when that is above 0).
struct Settle
{
    int settleMs = 1500;
    bool memory = false;
    int cpuMs = 0;
};

// Starts a program and waits until each of its pages has called home; the milliseconds
// from the start to the last call, and the tree's PSS and idle processor once settled.
RunResult runOnce(HttpResponder &server, const QString &program, const QStringList &arguments,
    int pages, Settle settle)
{
    server.requested.clear();
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    RunResult result;
    QElapsedTimer clock;
    clock.start();
    child.start(program, arguments);
    const auto loaded = [&] {
        QSet<QByteArray> calls;
        for (const QByteArray &path : server.requested)
            if (path.startsWith("/loaded?"))
                calls.insert(path);
        return calls.size() >= pages;
    };
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (loaded() || child.state() == QProcess::NotRunning || clock.elapsed() > 60000)
            loop.quit();
    });
    poll.start(2);
    loop.exec();
    // Settling below waits on the same loop, which the poll would end at once.
    poll.stop();
    if (loaded()) {
        result.ms = double(clock.nsecsElapsed()) / 1e6;
        if (settle.memory || settle.cpuMs > 0) {
            QTimer::singleShot(settle.settleMs, &loop, &QEventLoop::quit);
            loop.exec();
        }
        if (settle.memory)
            result.pssMiB = treePssMiB(child.processId());
        if (settle.cpuMs > 0) {
            const double before = treeCpuSeconds(child.processId());
            QTimer::singleShot(settle.cpuMs, &loop, &QEventLoop::quit);
            loop.exec();
            result.idleCores = (treeCpuSeconds(child.processId()) - before) * 1000 / settle.cpuMs;
        }
    }
    child.terminate();
    if (!child.waitForFinished(5000)) {
        child.kill();
        child.waitForFinished();
    }
    return result;
}

QStringList pageUrls(const HttpResponder &server, int pages)
{
    QStringList urls;
    for (int n = 1; n <= pages; ++n)
        urls << server.url("/page" + QByteArray::number(n));
    return urls;
}

struct Pair
{
    QList<double> browser, bare;
};

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
    QStringList urls;
    for (int n = 1; n <= 50; ++n) {
        server.page("/everyday" + QByteArray::number(n), everydayPage(n));
        const QString host = QStringLiteral("127.0.0.%1").arg(n);
        if (n > 1 && !server.listenAlso(QHostAddress(host)))
            qFatal("benchmark: cannot listen on %s", qPrintable(host));
        urls << QStringLiteral("http://%1:%2/everyday%3").arg(host).arg(server.serverPort()).arg(n);
    }
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

// Case 11: the browser blocking with its lists, against itself with --no-content-blocking,
// the two started in turn: one page loaded, and the tree's memory once settled.
void blockingStartCase(HttpResponder &server, BenchTable &table, int runs)
{
    Pair times, memory;
    const QStringList urls = pageUrls(server, 1);
    const QString browser = QStringLiteral(TESSARVINE_BINARY);
    for (int run = 0; run < runs; ++run) {
        const RunResult on = runOnce(server, browser,
            QStringList { QStringLiteral("--new-instance") } + urls, 1, { 1500, true, 0 });
        const RunResult off = runOnce(server, browser,
            QStringList {
                QStringLiteral("--new-instance"), QStringLiteral("--no-content-blocking") }
                + urls,
            1, { 1500, true, 0 });
        times.browser << on.ms;
        times.bare << off.ms;
        memory.browser << on.pssMiB;
        memory.bare << off.pssMiB;
    }
    table.add(QStringLiteral("11. start to first page loaded, blocking (goal within 5%)"),
        BenchTable::median(times.browser), QStringLiteral("--no-content-blocking"),
        BenchTable::median(times.bare), QStringLiteral("ms"));
    table.add(QStringLiteral("11. whole-tree PSS, blocking"), BenchTable::median(memory.browser),
        QStringLiteral("--no-content-blocking"), BenchTable::median(memory.bare),
        QStringLiteral("MiB"));
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
    if (caseWanted(11))
        blockingStartCase(server, table, runs);
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

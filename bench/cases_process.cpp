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
#include <QProcess>
#include <QSet>
#include <QTabWidget>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

// Page n of the benchmark: a small page that calls home once it has loaded.
QByteArray benchPage(int n)
{
    return "<html><head><title>Bench " + QByteArray::number(n)
        + "</title></head><body><h1>Bench</h1><p>A small local page.</p><script>"
          "addEventListener('load', () => fetch('/loaded?"
        + QByteArray::number(n) + "'));</script></body></html>";
}

// PSS in MiB of a process and all its descendants, from /proc/*/smaps_rollup.
double treePssMiB(qint64 root)
{
    std::multimap<qint64, qint64> children;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            children.emplace(fields.at(1).toLongLong(), pid);
    }
    double kib = 0;
    QList<qint64> pending { root };
    while (!pending.isEmpty()) {
        const qint64 pid = pending.takeLast();
        QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
        if (rollup.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : rollup.readAll().split('\n'))
                if (line.startsWith("Pss:"))
                    kib += line.simplified().split(' ').value(1).toDouble();
        }
        const auto [first, last] = children.equal_range(pid);
        for (auto it = first; it != last; ++it)
            pending << it->second;
    }
    return kib / 1024;
}

struct RunResult
{
    double ms = -1;
    double pssMiB = -1;
};

// Starts a program and waits until each of its pages has called home; the milliseconds
// from the start to the last call, and the tree PSS once the pages have settled.
RunResult runOnce(HttpResponder &server, const QString &program, const QStringList &arguments,
    int pages, bool measureMemory)
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
    if (loaded()) {
        result.ms = double(clock.nsecsElapsed()) / 1e6;
        if (measureMemory) {
            QTimer::singleShot(1500, &loop, &QEventLoop::quit);
            loop.exec();
            result.pssMiB = treePssMiB(child.processId());
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

// Runs the browser and the bare program in turn, runs times, with pages addresses each.
std::pair<Pair, Pair> compareStarts(HttpResponder &server, int pages, int runs, bool measureMemory)
{
    Pair times, memory;
    const QStringList urls = pageUrls(server, pages);
    for (int run = 0; run < runs; ++run) {
        const RunResult browser
            = runOnce(server, QStringLiteral(TESSARVINE_BINARY), urls, pages, measureMemory);
        const RunResult bare = runOnce(server, QCoreApplication::applicationFilePath(),
            QStringList { QStringLiteral("child"), QStringLiteral("bare") } + urls, pages,
            measureMemory);
        times.browser << browser.ms;
        times.bare << bare.ms;
        memory.browser << browser.pssMiB;
        memory.bare << bare.pssMiB;
    }
    return { times, memory };
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

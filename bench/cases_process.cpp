// Start-up and memory as whole processes: the browser against a bare QWebEngineView
// program loading the same local page, side by side in one run.
#include "benchtable.h"
#include "cases.h"
#include "hosted/engineprofile.h"
#include "main_window/form1.h"
#include "support/httpresponder.h"

#include <map>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

const QByteArray smallPage = "<html><head><title>Bench</title></head><body><h1>Bench</h1>"
                             "<p>A small local page.</p></body></html>";

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

// Starts a child of this program and waits for its line "loaded"; the milliseconds from
// start to that line, and the child's tree PSS at that moment.
struct ChildResult
{
    double ms = -1;
    double pssMiB = -1;
};

ChildResult runOnce(const QString &kind, const QString &url, int count)
{
    // The page is served by this process, so it waits in an event loop, never blocked.
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ChildResult result;
    QEventLoop loop;
    QElapsedTimer clock;
    QObject::connect(&child, &QProcess::readyReadStandardOutput, &loop, [&] {
        if (!child.readAllStandardOutput().contains("loaded"))
            return;
        result.ms = double(clock.nsecsElapsed()) / 1e6;
        if (count > 0)
            result.pssMiB = treePssMiB(child.processId());
        loop.quit();
    });
    QObject::connect(&child, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    clock.start();
    child.start(QCoreApplication::applicationFilePath(),
        { QStringLiteral("child"), kind, url, QString::number(count) });
    loop.exec();
    child.terminate();
    if (!child.waitForFinished(5000)) {
        child.kill();
        child.waitForFinished();
    }
    return result;
}

} // namespace

int runChild(const QStringList &arguments)
{
    const QString kind = arguments.value(0);
    const QUrl url(arguments.value(1));
    const int views = qMax(1, arguments.value(2).toInt());
    int loaded = 0;
    const auto onLoaded = [&] {
        if (++loaded != views)
            return;
        // Memory is read once the pages have settled.
        QTimer::singleShot(
            views > 1 ? 1500 : 0, [] { QTextStream(stdout) << "loaded" << Qt::endl; });
    };

    if (kind == u"bare") {
        auto *profile = new QWebEngineProfile;
        QList<QWebEngineView *> list;
        for (int i = 0; i < views; ++i) {
            auto *view = new QWebEngineView;
            view->setPage(new QWebEnginePage(profile, view));
            QObject::connect(view, &QWebEngineView::loadFinished, view, onLoaded);
            view->resize(810, 480);
            view->show();
            view->load(url);
            list << view;
        }
        const int code = QApplication::exec();
        qDeleteAll(list);
        delete profile;
        return code;
    }

    EngineProfile profile;
    Form1 form(profile.factory(), { url.toString(), QStringLiteral("http://127.0.0.1") });
    QObject::connect(form.WebBrowser(1), &PageView::DocumentComplete, &form, onLoaded);
    form.show();
    for (int i = 1; i < views; ++i) {
        form.newflik_Click();
        PageView *view = form.WebBrowser(form.WebBrowser.ubound());
        QObject::connect(view, &PageView::DocumentComplete, &form, onLoaded);
        view->Navigate(url.toString());
    }
    return QApplication::exec();
}

void runProcessCases(BenchTable &table, int runs)
{
    HttpResponder server;
    server.page("/start/", smallPage);
    const QString url = server.url("/start/");
    if (caseWanted(1)) {
        QList<double> browserStart, bareStart;
        for (int run = 0; run < runs; ++run) {
            browserStart << runOnce(QStringLiteral("browser"), url, 0).ms;
            bareStart << runOnce(QStringLiteral("bare"), url, 0).ms;
        }
        table.add(QStringLiteral("1. start to first page loaded"), BenchTable::median(browserStart),
            QStringLiteral("bare QWebEngineView"), BenchTable::median(bareStart),
            QStringLiteral("ms"));
    }

    for (const int tabs : { 1, 10 }) {
        if (!caseWanted(2))
            break;
        QList<double> browser, bare;
        for (int run = 0; run < qMin(runs, 5); ++run) {
            browser << runOnce(QStringLiteral("browser"), url, tabs).pssMiB;
            bare << runOnce(QStringLiteral("bare"), url, tabs).pssMiB;
        }
        table.add(QStringLiteral("2. whole-tree PSS, %1 tab(s)").arg(tabs),
            BenchTable::median(browser), QStringLiteral("bare, %1 view(s)").arg(tabs),
            BenchTable::median(bare), QStringLiteral("MiB"));
    }
}

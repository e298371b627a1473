#include "processrun.h"

#include <map>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QSet>
#include <QTimer>
#include <unistd.h>

namespace {

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

} // namespace

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
QByteArray benchPage(int n)
{
    return "<html><head><title>Bench " + QByteArray::number(n)
        + "</title></head><body><h1>Bench</h1><p>A small local page.</p><script>"
          "addEventListener('load', () => fetch('/loaded?"
        + QByteArray::number(n) + "'));</script></body></html>";
}

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
QStringList everydaySites(HttpResponder &server)
{
    QStringList urls;
    for (int n = 1; n <= 50; ++n) {
        server.page("/everyday" + QByteArray::number(n), everydayPage(n));
        const QString host = QStringLiteral("127.0.0.%1").arg(n);
        if (n > 1 && !server.listenAlso(QHostAddress(host)))
            qFatal("benchmark: cannot listen on %s", qPrintable(host));
        urls << QStringLiteral("http://%1:%2/everyday%3").arg(host).arg(server.serverPort()).arg(n);
    }
    return urls;
}

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

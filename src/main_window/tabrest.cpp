#include "main_window/tabrest.h"

#include "hosted/pageview.h"

#include <algorithm>
#include <QFile>

TabRest::TabRest(ViewAt viewAt, qint64 sleepAfterMs, QObject *parent)
    : QObject(parent)
    , m_viewAt(std::move(viewAt))
    , m_sleepAfterMs(sleepAfterMs)
{
    m_clock.start();
    m_look.setInterval(int(std::clamp<qint64>(sleepAfterMs / 12, 250, lookMs)));
    connect(&m_look, &QTimer::timeout, this, &TabRest::look);
}

void TabRest::inFront(int index)
{
    m_coveredSince.erase(index);
}

void TabRest::covered(int index)
{
    if (m_sleepAfterMs <= 0)
        return;
    m_coveredSince.emplace(index, m_clock.elapsed());
    if (!m_look.isActive())
        m_look.start();
}

void TabRest::closed(int index)
{
    m_coveredSince.erase(index);
}

void TabRest::look()
{
    if (m_coveredSince.empty()) {
        m_look.stop();
        return;
    }
    const qint64 now = m_clock.elapsed();
    const bool scarce = availableMemory() < scarceMemory;
    // Least recently active first: the one covered longest.
    std::vector<std::pair<qint64, int>> byAge;
    for (const auto &[index, since] : m_coveredSince)
        byAge.emplace_back(since, index);
    std::sort(byAge.begin(), byAge.end());
    bool sleptForMemory = false;
    for (const auto &[since, index] : byAge) {
        PageView *view = m_viewAt(index);
        if (!view)
            continue;
        const qint64 covered = now - since;
        if (covered >= m_sleepAfterMs || (scarce && !sleptForMemory)) {
            if (view->rest(PageView::Rest::Asleep) == PageView::Rest::Asleep)
                sleptForMemory = sleptForMemory || covered < m_sleepAfterMs;
        } else if (covered >= m_sleepAfterMs / 6) {
            view->rest(PageView::Rest::Frozen);
        }
    }
}

double TabRest::availableMemory()
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return 1;
    double total = 0, available = 0;
    for (const QByteArray &line : meminfo.readAll().split('\n')) {
        if (line.startsWith("MemTotal:"))
            total = line.simplified().split(' ').value(1).toDouble();
        else if (line.startsWith("MemAvailable:"))
            available = line.simplified().split(' ').value(1).toDouble();
    }
    return total > 0 && available > 0 ? available / total : 1;
}

#include "tabs/tabrest.h"

#include "common/pageview.h"
#include "tabs/tab.h"

#include <algorithm>

TabRest::TabRest(OpenTabs tabs, qint64 sleepAfterMs, QObject *parent)
    : QObject(parent)
    , m_tabs(std::move(tabs))
    , m_sleepAfterMs(sleepAfterMs)
{
    m_clock.start();
    m_look.setInterval(int(std::clamp<qint64>(sleepAfterMs / 12, 250, lookMs)));
    connect(&m_look, &QTimer::timeout, this, &TabRest::look);
}

void TabRest::inFront(Tab *tab)
{
    tab->state().coveredSince = std::nullopt;
    tab->state().rest = PageView::Rest::Awake;
}

void TabRest::covered(Tab *tab)
{
    if (m_sleepAfterMs <= 0)
        return;
    tab->state().coveredSince = m_clock.elapsed();
    if (!m_look.isActive())
        m_look.start();
}

void TabRest::look()
{
    // Least recently active first: the one covered longest.
    std::vector<std::pair<qint64, Tab *>> byAge;
    for (Tab *tab : m_tabs()) {
        if (const auto since = tab->state().coveredSince)
            byAge.emplace_back(*since, tab);
    }
    if (byAge.empty()) {
        m_look.stop();
        return;
    }
    const qint64 now = m_clock.elapsed();
    const bool scarce = m_memory() < scarceMemory;
    std::sort(
        byAge.begin(), byAge.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    bool sleptForMemory = false;
    for (const auto &[since, tab] : byAge) {
        PageView *view = tab->page();
        if (!view)
            continue;
        const qint64 covered = now - since;
        // Short of memory, one more tab sleeps each look: one asleep already is no saving.
        const bool forMemory
            = scarce && !sleptForMemory && tab->state().rest != PageView::Rest::Asleep;
        if (covered >= m_sleepAfterMs || forMemory) {
            tab->state().rest = view->rest(PageView::Rest::Asleep);
            if (tab->state().rest == PageView::Rest::Asleep)
                sleptForMemory = sleptForMemory || covered < m_sleepAfterMs;
        } else if (covered >= m_sleepAfterMs / 6) {
            tab->state().rest = view->rest(PageView::Rest::Frozen);
        }
    }
}

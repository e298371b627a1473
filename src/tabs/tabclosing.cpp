#include "tabs/tabclosing.h"

#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "tabs/tabstrip.h"

#include <algorithm>
#include <QElapsedTimer>

namespace {

// What a page is given to answer when the window's patience is spent: enough for a page
// that answers at once, as most do.
constexpr int leastPatienceMs = 250;

} // namespace

TabClosing::TabClosing(Tabs &tabs)
    : QObject(&tabs)
    , m_tabs(tabs)
{ }

void TabClosing::askToLeaveAll(std::function<void(bool leave)> decided)
{
    std::vector<QPointer<Tab>> tabs;
    for (Tab *one : m_tabs.all())
        tabs.emplace_back(one);
    askInTurn(std::move(tabs), 0, PageView::leavePatienceMs, std::move(decided));
}

void TabClosing::askInTurn(std::vector<QPointer<Tab>> tabs, std::size_t next, int patienceMs,
    std::function<void(bool)> decided)
{
    while (next < tabs.size() && !tabs[next])
        ++next;
    if (next == tabs.size()) {
        decided(true);
        return;
    }
    // One patience for the whole window: what a page that does not answer spends, the
    // pages after it do not get; the time a question is on screen is the user's, not the
    // page's.
    QElapsedTimer asked;
    asked.start();
    m_questionShown = false;
    PageView *page = tabs[next]->page();
    page->askToClose(std::max(patienceMs, leastPatienceMs),
        [this, tabs = std::move(tabs), next, patienceMs, asked, decided](bool leave) mutable {
            const bool questioned = std::exchange(m_questionShown, false);
            const int spent = questioned ? 0 : int(asked.elapsed());
            if (leave)
                askInTurn(std::move(tabs), next + 1, patienceMs - spent, std::move(decided));
            else
                decided(false);
        });
}

void TabClosing::close(int index)
{
    Tab *closing = m_tabs.tab(index);
    if (!closing || closing->state().askedToLeave)
        return;
    closing->state().askedToLeave = true;
    closing->page()->askToClose(
        PageView::leavePatienceMs, [this, guard = QPointer(closing)](bool leave) {
            if (!guard)
                return;
            guard->state().askedToLeave = false;
            if (leave)
                closeNow(guard);
        });
}

void TabClosing::closeNow(Tab *closing)
{
    const int index = closing->index();
    if (m_tabs.tab(index) != closing)
        return;
    m_tabs.shiftHeaders(index, -closing->header()->place().width);

    if (Tab *active = m_tabs.tabAt(m_tabs.m_current); active && active != closing) {
        // The close box's steps activate the closing tab and then the active one again:
        // what is in front stays, and `lastone` names the closed tab.
        m_tabs.m_lastone = static_cast<float>(index);
    } else {
        // The tab to go back to; when it was closed before (or is this tab), the nearest
        // open tab, left first, takes its place, so that a tab stays active while any is
        // open. With none left, the template is activated: no page is in sight, and
        // nothing acts on a closed one.
        int next = 0;
        if (const Tab *previous = m_tabs.tabAt(m_tabs.m_lastone); previous && previous != closing)
            next = previous->index();
        const auto &open = m_tabs.m_tabs;
        for (auto it = open.find(index); next == 0 && it != open.begin();)
            next = (--it)->second ? it->first : 0;
        for (auto it = open.upper_bound(index); next == 0 && it != open.end(); ++it)
            next = it->second ? it->first : 0;
        m_tabs.activate(next);
    }

    m_inProgress = true;
    m_tabs.settleFocus(closing);
    const QString address = closing->page() ? closing->page()->LocationURL() : QString();
    if (m_tabs.m_inFront == closing)
        m_tabs.m_inFront.clear();
    m_tabs.m_tabs.erase(index);
    closing->close();
    m_inProgress = false;
    m_tabs.m_window.strip->headersChanged();
    emit m_tabs.closed(index, address);
}

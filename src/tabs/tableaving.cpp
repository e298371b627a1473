// Asking the tabs' pages, one at a time, whether they may be left.
#include "tabs/tab.h"
#include "tabs/tabs.h"

#include <algorithm>
#include <QElapsedTimer>

namespace {

// What a page is given to answer when the window's patience is spent: enough for a page
// that answers at once, as most do.
constexpr int leastPatienceMs = 250;

} // namespace

void Tabs::askToLeaveAll(std::function<void(bool leave)> decided)
{
    std::vector<QPointer<Tab>> tabs;
    for (Tab *one : all())
        tabs.emplace_back(one);
    askInTurn(std::move(tabs), 0, PageView::leavePatienceMs, std::move(decided));
}

void Tabs::askInTurn(std::vector<QPointer<Tab>> tabs, std::size_t next, int patienceMs,
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
    m_leaveQuestionShown = false;
    PageView *page = tabs[next]->page();
    page->askToClose(std::max(patienceMs, leastPatienceMs),
        [this, tabs = std::move(tabs), next, patienceMs, asked, decided](bool leave) mutable {
            const bool questioned = std::exchange(m_leaveQuestionShown, false);
            const int spent = questioned ? 0 : int(asked.elapsed());
            if (leave)
                askInTurn(std::move(tabs), next + 1, patienceMs - spent, std::move(decided));
            else
                decided(false);
        });
}

// Asking the tabs' pages, one at a time, whether they may be left.
#include "tabs/tab.h"
#include "tabs/tabs.h"

void Tabs::askToLeaveAll(std::function<void(bool leave)> decided)
{
    std::vector<QPointer<Tab>> tabs;
    for (Tab *one : all())
        tabs.emplace_back(one);
    askInTurn(std::move(tabs), 0, std::move(decided));
}

void Tabs::askInTurn(
    std::vector<QPointer<Tab>> tabs, std::size_t next, std::function<void(bool)> decided)
{
    while (next < tabs.size() && !tabs[next])
        ++next;
    if (next == tabs.size()) {
        decided(true);
        return;
    }
    PageView *page = tabs[next]->page();
    page->askToClose([this, tabs = std::move(tabs), next, decided](bool leave) mutable {
        if (leave)
            askInTurn(std::move(tabs), next + 1, std::move(decided));
        else
            decided(false);
    });
}

// The design's three arrays, and the fields that name tabs, as views onto the tabs.
#include "tabs/tab.h"
#include "tabs/tabs.h"

Tab *Tabs::tab(int index) const
{
    const auto it = m_tabs.find(index);
    return it == m_tabs.end() ? nullptr : it->second.data();
}

Tab *Tabs::tabAt(float index) const
{
    const auto tabIndex = toTabIndex(index);
    return tabIndex ? tab(*tabIndex) : nullptr;
}

std::vector<Tab *> Tabs::all() const
{
    std::vector<Tab *> open;
    for (const auto &[index, one] : m_tabs) {
        if (one)
            open.push_back(one);
    }
    return open;
}

PageView *Tabs::WebBrowser(int index) const
{
    if (index == 0)
        return m_templates.page();
    const Tab *one = tab(index);
    return one ? one->page() : nullptr;
}

SourceEditor *Tabs::Codetext(int index) const
{
    if (index == 0)
        return m_templates.source();
    const Tab *one = tab(index);
    return one ? one->source() : nullptr;
}

::flik *Tabs::flik(int index) const
{
    if (index == 0)
        return m_templates.header();
    const Tab *one = tab(index);
    return one ? one->header() : nullptr;
}

PageView *Tabs::viewAt(float index) const
{
    const Tab *one = tabAt(index);
    return one ? one->page() : nullptr;
}

SourceEditor *Tabs::editorAt(float index) const
{
    const Tab *one = tabAt(index);
    return one ? one->source() : nullptr;
}

::flik *Tabs::headerAt(float index) const
{
    const Tab *one = tabAt(index);
    return one ? one->header() : nullptr;
}

std::vector<int> Tabs::openTabs() const
{
    std::vector<int> indices;
    for (const Tab *one : all())
        indices.push_back(one->index());
    return indices;
}

bool Tabs::isCurrent(int index) const
{
    return toTabIndex(m_current) == index;
}

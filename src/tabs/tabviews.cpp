#include "tabs/addressbox.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "tabs/tabstrip.h"

#include <QApplication>
#include <QComboBox>

// The three element arrays, and the fields that name tabs, as views onto the tabs.
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

TabTemplates::Elements Tabs::elements(int index) const
{
    if (index == 0)
        return { m_templates.header(), m_templates.page(), m_templates.source() };
    if (const Tab *one = tab(index))
        return { one->header(), one->page(), one->source() };
    return {};
}

PageView *Tabs::frontPage() const
{
    const Tab *one = front();
    return one ? one->page() : nullptr;
}

bool Tabs::isCurrent(int index) const
{
    return toTabIndex(m_current) == index;
}

// Where the tabs' elements lie: the strip's reflow, the views' size and stacking, and
// where the keyboard goes when a focused element goes away.
bool Tabs::holds(const QWidget *element, const QWidget *focus)
{
    return element && focus && (element == focus || element->isAncestorOf(focus));
}

void Tabs::keepInFront()
{
    // A new element lies on top of the others: the active tab's come back over it.
    const Tab *front = tabAt(m_current);
    if (!front)
        return;
    if (PageView *view = front->page())
        view->raise();
    if (SourceEditor *editor = front->source(); editor && front->header()->look().sourceShown)
        editor->raise();
}

void Tabs::shiftHeaders(int from, float by)
{
    for (auto it = m_tabs.lower_bound(from); it != m_tabs.end(); ++it) {
        if (::flik *header = it->second ? it->second->header() : nullptr)
            header->setLeft(header->place().left + by);
    }
    m_window.strip->headersChanged();
}

void Tabs::resizeViews(QSize size)
{
    // The templates too: new elements copy their size.
    const auto resize = [size](QWidget *element) {
        if (element)
            element->resize(size);
    };
    resize(m_templates.page());
    resize(m_templates.source());
    for (const Tab *one : all()) {
        resize(one->page());
        resize(one->source());
    }
}

void Tabs::disconnectViews()
{
    if (PageView *view = m_templates.page())
        view->disconnect();
    for (const Tab *one : all()) {
        if (PageView *view = one->page())
            view->disconnect();
    }
}

void Tabs::settleFocus(Tab *closing)
{
    const QWidget *focus = QApplication::focusWidget();
    if (!(holds(closing->page(), focus) || holds(closing->source(), focus)
            || holds(closing->header(), focus)))
        return;
    // Hiding the focused element would pass the focus along the focus chain, to whatever
    // comes next. It goes where the user's eyes go instead: the active tab's page (or its
    // source, when that is on show), or the address box when no tab is left.
    QWidget *next = m_window.address->widget();
    const Tab *one = front();
    if (SourceEditor *editor = one ? one->source() : nullptr;
        editor && one->header() && one->header()->look().sourceShown)
        next = editor;
    else if (PageView *view = frontPage())
        next = view;
    next->setFocus(Qt::OtherFocusReason);
}

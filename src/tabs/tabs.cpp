#include "tabs/tabs.h"

#include "tabs/addressbox.h"
#include "tabs/tab.h"
#include "tabs/tabclosing.h"
#include "tabs/tabstrip.h"

#include <algorithm>
#include <limits>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <utility>

namespace {

// The most tabs: the 16-bit index's range.
constexpr int maxIndex = std::numeric_limits<TabIndex>::max();

} // namespace

Tabs::Tabs(Window window, PageViewFactory factory, QString searchService, QObject *parent)
    : QObject(parent)
    , m_window(std::move(window))
    , m_templates(m_window.container, m_window.strip, std::move(factory))
    , m_modes(m_window.sourceMark, std::move(searchService))
    , m_closingTabs(new TabClosing(*this))
{
    m_templates.load();
}

bool Tabs::focusActivates() const
{
    return !m_closingTabs->inProgress() && !m_handingFocus;
}

void Tabs::closeRequested(int index)
{
    m_closingTabs->close(index);
}

Tab *Tabs::open(Order order, bool behind)
{
    // One index for all three; past the index's range no tab is made at all.
    const int index = ubound() + 1;
    if (index > maxIndex || !m_events || !m_tools)
        return nullptr;
    const auto made = m_templates.make(index, flik(index - 1), order);
    if (!made)
        return nullptr;
    auto *tab = new Tab(
        index, *made, m_templates.factory(), TabOwners { *this, *m_events, *m_tools }, this);
    m_tabs.emplace(index, tab);
    if (behind)
        keepInFront();
    return tab;
}

void Tabs::headerActivated(int index, Activation how)
{
    // Focus that moves while a tab closes reaches a header too; it activates nothing.
    if (!m_closingTabs->inProgress())
        activate(index, how);
}

void Tabs::command(int index, TabCommand command)
{
    if (!isCurrent(index))
        activate(index);
    if (command == TabCommand::ViewSearch)
        viewSearch(index);
    else
        viewSource(index);
}

void Tabs::headerResized(int index)
{
    // The next header starts at this one's right edge again, and every later one moves as
    // much; past a closed neighbour, or after the last header, nothing moves.
    const ::flik *self = flik(index);
    const ::flik *next = flik(index + 1);
    if (self && next)
        shiftHeaders(index + 1, self->place().left + self->place().width - next->place().left);
    m_window.strip->headersChanged();
}

void Tabs::leaveAsked(int index)
{
    // The question whether to leave a page is seen over it, in front.
    m_closingTabs->questionShown();
    activate(index);
}

void Tabs::activate(int index, Activation how)
{
    ::flik *header = flik(index);
    if (!header)
        return;
    // Clearing every header's selection only changes the ones drawn selected, and only
    // activation draws a header selected: those are cleared, whatever the number of tabs.
    for (const QPointer<::flik> &selected : std::exchange(m_selected, {})) {
        if (selected)
            selected->normal();
    }
    header->markSelected();
    m_selected.push_back(header);
    Tab *activated = tab(index);
    if (activated)
        showViews(activated, how);
    else if (PageView *view = WebBrowser(index)) {
        // The hidden template: no page in sight, and no source either.
        view->raise();
        if (how == Activation::Full)
            m_window.sourceMark->setChecked(false);
    }
    const bool switched = header->myindex != m_current;
    if (switched)
        m_lastone = m_current;
    m_current = header->myindex;
    // Another tab shows what the user typed there, else its address; the same tab's typing
    // stays.
    if (PageView *view = WebBrowser(toTabIndex(m_current).value_or(-1))) {
        if (switched)
            m_window.address->showTab(activated, view->LocationURL());
        else
            m_window.address->follow(view->LocationURL());
    }
    m_window.showLock(header->look().lock);
    if (!header->isHidden())
        m_window.strip->ensureVisible(header);
    if (!activated)
        bringInFront(nullptr);
}

void Tabs::showViews(Tab *tab, Activation how)
{
    PageView *view = tab->page();
    SourceEditor *editor = tab->source();
    const bool sourceShown = tab->header()->look().sourceShown;
    if (how == Activation::Full)
        m_window.sourceMark->setChecked(sourceShown);
    if (view) {
        view->raise();
        bringInFront(tab);
    }
    if (!sourceShown || how == Activation::PageOnly || !editor)
        return;
    if (how != Activation::RaiseOnly)
        editor->show();
    editor->raise();
}

void Tabs::bringInFront(Tab *tab)
{
    const QPointer<Tab> behind = std::exchange(m_inFront, tab);
    PageView *view = tab ? tab->page() : nullptr;
    if (tab)
        tab->setInFront(true);
    if (behind == tab)
        return;
    emit frontChanged(tab, behind);
    PageView *behindView = behind ? behind->page() : nullptr;
    if (!behindView)
        return;
    // The keyboard goes where the eyes go: keys typed now belong to the page in sight. That
    // is not the user choosing a page, so it activates nothing.
    if (view && holds(behindView, QApplication::focusWidget()) && !view->isHidden()) {
        m_handingFocus = true;
        view->setFocus(Qt::OtherFocusReason);
        m_handingFocus = false;
    }
    behind->setInFront(false);
}

void Tabs::dialogShown(Tab &tab)
{
    // A dialog waits only over the page in front; with the page's source over it, no one
    // would see it while every tab waits on it. The page comes forward.
    if (tab.header()->look().sourceShown && isCurrent(tab.index()))
        viewSource(tab.index());
}

void Tabs::viewSource(int index)
{
    if (Tab *one = tab(index))
        m_modes.viewSource(*one, isCurrent(index));
}

void Tabs::viewSearch(int index)
{
    if (::flik *header = flik(index))
        m_modes.viewSearch(*header, WebBrowser(index));
}

void Tabs::search(int index, const QString &text)
{
    m_modes.search(flik(index), WebBrowser(index), text);
}

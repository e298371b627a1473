#include "window/tabopening.h"

#include "common/pagerules.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "tabs/tabstrip.h"
#include "window/addresscontroller.h"
#include "window/statuspanels.h"

#include <QWidget>

TabOpening::TabOpening(
    QWidget &window, Tabs &tabs, TabStrip &strip, AddressController &address, StatusPanels &panels)
    : QObject(&window)
    , m_window(window)
    , m_tabs(tabs)
    , m_address(address)
    , m_panels(panels)
{
    connect(&tabs, &Tabs::closed, this,
        [this](int, const QString &address) { m_closedTabs.remember(address); });
    // After the drop is over: a drag the engine started waits on it.
    connect(
        &strip, &TabStrip::addressesDropped, this,
        [this](const QStringList &dropped) {
            for (const QString &one : dropped)
                openTab(one);
        },
        Qt::QueuedConnection);
}

bool TabOpening::open()
{
    const Tab *tab = m_tabs.open(Tabs::Order::ViewFirst);
    if (tab)
        m_tabs.activate(tab->index());
    return tab != nullptr;
}

void TabOpening::openToType()
{
    // A tab the user opens is empty: what they type next is its address, wherever the
    // keyboard was (a page that had it would hand it to the new, blank page).
    open();
    m_address.focus();
}

void TabOpening::openTab(const QString &address)
{
    if (!open())
        return;
    if (PageView *view = m_tabs.frontPage())
        view->Navigate(address);
}

void TabOpening::reopenClosedTab()
{
    if (const auto address = m_closedTabs.takeLast())
        openTab(*address);
    else
        m_panels.setStatusText(tr("No closed tab to bring back"));
}

void TabOpening::openHandedOver(const QStringList &addresses)
{
    if (addresses.isEmpty())
        open();
    // Held to the rules of a typed address, whoever sent them: a refused one opens no tab.
    bool refused = false;
    for (const QString &address : addresses) {
        if (PageRules::givenRefusal(address))
            refused = true;
        else
            openTab(address);
    }
    if (refused)
        m_panels.setStatusText(tr("An address another start handed over was refused"));
    if (m_window.isMinimized())
        m_window.showNormal();
    m_window.raise();
    m_window.activateWindow();
}

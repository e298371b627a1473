// Opening tabs: the three elements of a new index, its header placed flush right of the
// last one, and its activation.
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "window/form1.h"

void Form1::newflik_Click()
{
    if (const Tab *tab = m_tabs->open(Tabs::Order::ViewFirst))
        m_tabs->activate(tab->index());
}

void Form1::mnutab_Click()
{
    newflik_Click();
}

void Form1::openTabToType()
{
    // A tab the user opens is empty: what they type next is its address, wherever the
    // keyboard was (a page that had it would hand it to the new, blank page).
    newflik_Click();
    focusAddress();
}

void Form1::flik_GotFocus(int index)
{
    if (!m_tabs->focusActivates())
        return;
    m_tabs->activate(index);
}

bool Form1::madeNewTab()
{
    // When no new tab can be made, the highest tab is not the new one: nothing changes.
    const int before = m_tabs->ubound();
    newflik_Click();
    return m_tabs->ubound() > before;
}

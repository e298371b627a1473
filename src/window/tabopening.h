#pragma once

#include "tabs/closedtabs.h"

#include <QObject>
#include <QStringList>

class AddressController;
class StatusPanels;
class TabStrip;
class Tabs;
class QWidget;

// The ways the user opens a tab beyond the "+" button and New > Tab: one to type
// into, one for an address, the tab closed last again, addresses dropped on the strip and
// those another start of the program hands over.
class TabOpening final : public QObject
{
    Q_OBJECT
public:
    TabOpening(QWidget &window, Tabs &tabs, TabStrip &strip, AddressController &address,
        StatusPanels &panels);

    // A new tab at the right end, made active; false when no further tab can be made.
    bool open();
    // A new tab as the user opens one (the + button, Ctrl+T, New > Tab), its address box
    // taking the keys.
    void openToType();
    // A new tab that loads the address as if typed.
    void openTab(const QString &address);
    // The tab closed last opened again with its address; nothing when none is left.
    void reopenClosedTab();
    // Each address in a new tab, or one new tab for none; the window comes to the front.
    void openHandedOver(const QStringList &addresses);

private:
    QWidget &m_window;
    Tabs &m_tabs;
    AddressController &m_address;
    StatusPanels &m_panels;
    ClosedTabs m_closedTabs;
};

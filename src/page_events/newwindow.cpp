// A page's request for a new window: opened as a new tab, or blocked with a notice.
#include "page_events/pageevents.h"
#include "tabs/tab.h"
#include "tabs/tabclosing.h"
#include "tabs/tabs.h"
#include "window/addresscontroller.h"
#include "window/form1.h"
#include "window/statuspanels.h"
#include "window/warningpanel.h"

#include <QDateTime>

void PageEvents::WebBrowser_NewWindow2(Tab &tab, NewWindowRequest &request)
{
    Q_UNUSED(tab);
    Tabs &tabs = form.tabs();
    if (request.linkInNewTab) {
        // The user's own act: never blocked, counted or announced as a pop-up. Behind, the
        // tab in front and its keyboard stay as they are.
        Tab *opened = tabs.open(Tabs::Order::SourceFirst, request.behind);
        request.ppDisp = opened ? opened->page() : nullptr;
        request.Cancel = !opened;
        if (opened && !request.behind)
            tabs.activate(opened->index());
        return;
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    // Past the window's bound for pop-ups, a request is blocked as if Popups were off, so
    // that the user sees what happened.
    int unaskedOpen = 0;
    for (const Tab *open : tabs.all())
        unaskedOpen += open->state().openedUnasked ? 1 : 0;
    if (request.filtered || !form.settings().popups || !m_popups.allow(now, unaskedOpen)) {
        request.Cancel = true;
        form.warningPanel().tell(tr("A popup window has been blocked."),
            tr("Popup windows are common comercials or ads that launches in a new tab/window. "
               "to allow this popup please check the popup menu in the settings menu"));
        form.Form_Resize();
        return;
    }
    // While the user types an address, a tab in front would take the rest of their keys
    // (a page can time its window for that): it opens behind.
    const bool behind = form.addressBox().inputInProgress();
    // The requesting view is never handed back: the pop-up would replace the page the
    // user is on. No new tab, no window.
    Tab *opened = tabs.open(Tabs::Order::SourceFirst, behind);
    request.ppDisp = opened ? opened->page() : nullptr;
    request.Cancel = request.ppDisp == nullptr;
    if (!opened)
        return;
    m_popups.opened(now);
    opened->state().openedUnasked = true;
    if (behind)
        form.panels().setStatusText(tr("A page opened a tab behind this one"));
    else
        tabs.activate(opened->index());
}

void PageEvents::WebBrowser_WindowClosing(Tab &tab)
{
    // Exactly as its close box would; the view goes once the engine's call has returned.
    form.tabs().closing().close(tab.index());
}

// A page's title, and a completed document taken into the rest of the browser.
#include "page_events/pageevents.h"
#include "tabs/sourceeditor.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "window/addresscontroller.h"
#include "window/form1.h"

void PageEvents::WebBrowser_TitleChange(Tab &tab, const QString &Text)
{
    Q_UNUSED(tab);
    screenForWarnings(ContentWarnings::Source::Title, Text);
}

void PageEvents::WebBrowser_LocationChange(Tab &tab, const QString &URL)
{
    // The address box names the page shown in front, from the moment the engine shows it,
    // however long that page then takes to complete.
    if (form.tabs().isCurrent(tab.index()))
        form.addressBox().follow(URL);
}

void PageEvents::WebBrowser_DocumentComplete(Tab &tab, const QString &URL)
{
    Q_UNUSED(URL); // the view's own address is read instead, as for every frame's event
    Tabs &tabs = form.tabs();
    PageView *view = tab.page();
    const bool current = tabs.isCurrent(tab.index());
    if (const QString location = view->LocationURL(); !location.isEmpty())
        form.addressBox().append(location);
    tab.header()->Caption(view->LocationName());
    if (current)
        form.addressBox().follow(view->LocationURL());
    tab.header()->hideprog();
    // Only the tab in front is activated again. A covered tab whose page moved on by itself
    // (a timed redirect, a refresh, a sign-in round trip) would otherwise take the front and
    // the keys typed there, end the front page's full screen and answer its dialog.
    if (current)
        tabs.activate(tab.index());
    if (const auto body = view->bodyInnerHtml())
        tab.source()->setText(*body);
    view->move(0, 0);
    screenForWarnings(ContentWarnings::Source::Address, view->LocationURL());
}

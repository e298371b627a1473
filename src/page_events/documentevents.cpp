// A page's title, and a completed document taken into the rest of the browser.
#include "hosted/sourceeditor.h"
#include "page_events/pageevents.h"
#include "tabs/tabs.h"
#include "window/form1.h"

void PageEvents::WebBrowser_TitleChange(int Index, const QString &Text)
{
    Q_UNUSED(Index);
    screenForWarnings(ContentWarnings::Source::Title, Text);
}

void PageEvents::WebBrowser_LocationChange(int Index, const QString &URL)
{
    // The address box names the page shown in front, from the moment the engine shows it,
    // however long that page then takes to complete.
    if (toTabIndex(form.current()) == Index)
        form.followAddress(URL);
}

void PageEvents::WebBrowser_DocumentComplete(int Index, const QString &URL)
{
    Q_UNUSED(URL); // the view's own address is read instead, as for every frame's event
    Tabs &tabs = form.tabs();
    PageView *view = tabs.WebBrowser(Index);
    if (!view || Index < 1)
        return;
    ::flik *header = tabs.flik(Index);
    if (const QString location = view->LocationURL(); !location.isEmpty())
        form.appendAddress(location);
    if (header)
        header->Caption(view->LocationName());
    if (toTabIndex(form.current()) == Index)
        form.followAddress(view->LocationURL());
    if (header) {
        header->hideprog();
        // Only the tab in front is activated again. A covered tab whose page moved on by
        // itself (a timed redirect, a refresh, a sign-in round trip) would otherwise take
        // the front and the keys typed there, end the front page's full screen and answer
        // its dialog.
        if (tabs.isCurrent(Index))
            tabs.activate(Index);
    }
    if (SourceEditor *editor = tabs.Codetext(Index)) {
        if (const auto body = view->bodyInnerHtml())
            editor->setText(*body);
    }
    view->move(0, 0);
    screenForWarnings(ContentWarnings::Source::Address, view->LocationURL());
}

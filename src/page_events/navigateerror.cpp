// A failed navigation, reported on the shared warning panel.
#include "main_window/form1.h"
#include "main_window/tabs.h"
#include "page_events/pageevents.h"

void PageEvents::WebBrowser_NavigateError(int Index, const QString &URL, int StatusCode)
{
    Q_UNUSED(URL);
    Q_UNUSED(StatusCode);
    PageView *view = form.tabs().WebBrowser(Index);
    if (!view || Index < 1)
        return;
    form.tabs().takeOpenedBehind(Index); // its first page will not complete
    if (!view->LocationName().isEmpty()) {
        form.showInfopanel(tr("An error accured"),
            tr("The Page could not be found or an error in source code of HTML."));
    } else {
        form.hideInfopanel();
    }
    form.Form_Resize();
}

// A failed navigation, reported on the shared warning panel.
#include "window/form1.h"
#include "tabs/tabs.h"
#include "page_events/pageevents.h"

void PageEvents::WebBrowser_NavigateError(int Index, const QString &URL, int StatusCode)
{
    Q_UNUSED(URL);
    Q_UNUSED(StatusCode);
    PageView *view = form.tabs().WebBrowser(Index);
    if (!view || Index < 1)
        return;
    if (!view->LocationName().isEmpty()) {
        form.showInfopanel(tr("An error accured"),
            tr("The Page could not be found or an error in source code of HTML."));
    } else {
        form.hideInfopanel();
    }
    form.Form_Resize();
}

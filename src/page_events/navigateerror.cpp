// A failed navigation, reported on the shared warning panel.
#include "page_events/pageevents.h"
#include "tabs/tab.h"
#include "window/form1.h"

void PageEvents::WebBrowser_NavigateError(Tab &tab, const QString &URL, int StatusCode)
{
    Q_UNUSED(URL);
    Q_UNUSED(StatusCode);
    if (!tab.page()->LocationName().isEmpty()) {
        form.showInfopanel(tr("An error accured"),
            tr("The Page could not be found or an error in source code of HTML."));
    } else {
        form.hideInfopanel();
    }
    form.Form_Resize();
}

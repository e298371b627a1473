#include "page_events/pageevents.h"

#include "page_tools/fullscreen.h"
#include "page_tools/pagetools.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "window/form1.h"

PageEvents::PageEvents(Form1 &form)
    : QObject(&form)
    , form(form)
{
    form.tabs().setPageEvents(*this);
}

bool PageEvents::fullScreenAsked(Tab &tab, bool on)
{
    return form.pageTools().fullScreen().pageAsked(tab.page(), on);
}

void PageEvents::printAsked(Tab &tab)
{
    if (form.tabs().isCurrent(tab.index()))
        form.pageTools().printPage();
}

void PageEvents::saveAsked(Tab &tab, const QString &link, const QString &name)
{
    form.pageTools().saveFrom(tab.page(), link, name);
}

// Status texts, load progress, downloads, the lock state and focus of the page views.
#include "page_events/pageevents.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "window/form1.h"
#include "window/statuspanels.h"

namespace {

// Only the space character is trimmed; tabs and other white space stay.
QString trimSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

} // namespace

void PageEvents::WebBrowser_StatusTextChange(Tab &tab, const QString &Text)
{
    Q_UNUSED(tab);
    screenForWarnings(ContentWarnings::Source::StatusText, Text);
    form.panels().setStatusText(trimSpaces(Text));
}

void PageEvents::WebBrowser_ProgressChange(Tab &tab, int Progress, int ProgressMax)
{
    tab.page()->move(0, 0);
    ::flik *header = tab.header();
    float prg = static_cast<float>(Progress);
    float prgmax = static_cast<float>(ProgressMax);
    header->progg(prg, prgmax);
    if (prgmax == 0)
        header->hideprog();
}

void PageEvents::WebBrowser_DownloadComplete(Tab &tab)
{
    tab.header()->hideprog();
    form.panels().settlePanel2();
}

void PageEvents::WebBrowser_FileDownload(Tab &tab)
{
    Q_UNUSED(tab);
    form.panels().showDownloadMark();
}

void PageEvents::WebBrowser_SetSecureLockIcon(Tab &tab, int SecureLockIcon)
{
    ::flik *header = tab.header();
    if (SecureLockIcon > 0) {
        header->safe();
        return;
    }
    header->unsafe();
    // A lock left in the status bar over a page that is no longer encrypted would be a sign
    // that lies: the active tab's lock goes from panel 2 at once, not at its next activation.
    if (form.tabs().isCurrent(tab.index()))
        form.panels().clearPanel2();
}

void PageEvents::WebBrowser_GotFocus(Tab &tab)
{
    // Focus that moves because a tab is closing, or because the keyboard follows the page
    // brought into sight, is not the user's choice of a page.
    if (!form.tabs().focusActivates())
        return;
    form.tabs().activate(tab.index());
}

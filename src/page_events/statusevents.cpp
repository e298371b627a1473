// Status texts, load progress, downloads, the lock state and focus of the page views.
#include "page_events/pageevents.h"
#include "tabs/tabs.h"
#include "window/form1.h"

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

void PageEvents::WebBrowser_StatusTextChange(int Index, const QString &Text)
{
    Q_UNUSED(Index);
    screenForWarnings(ContentWarnings::Source::StatusText, Text);
    form.setStatusText(trimSpaces(Text));
}

void PageEvents::WebBrowser_ProgressChange(int Index, int Progress, int ProgressMax)
{
    if (PageView *view = form.tabs().WebBrowser(Index); view && Index > 0)
        view->move(0, 0);
    ::flik *header = form.tabs().flik(Index);
    if (!header || Index < 1)
        return;
    float prg = static_cast<float>(Progress);
    float prgmax = static_cast<float>(ProgressMax);
    header->progg(prg, prgmax);
    if (prgmax == 0)
        header->hideprog();
}

void PageEvents::WebBrowser_DownloadComplete(int Index)
{
    if (::flik *header = form.tabs().flik(Index); header && Index > 0)
        header->hideprog();
    form.settlePanel2();
}

void PageEvents::WebBrowser_FileDownload(int Index, bool &Cancel)
{
    Q_UNUSED(Index);
    Q_UNUSED(Cancel);
    form.showDownloadMark();
}

void PageEvents::WebBrowser_SetSecureLockIcon(int Index, int SecureLockIcon)
{
    ::flik *header = form.tabs().flik(Index);
    if (!header || Index < 1)
        return;
    if (SecureLockIcon > 0) {
        header->safe();
        return;
    }
    header->unsafe();
    // A lock left in the status bar over a page that is no longer encrypted would be a sign
    // that lies: the active tab's lock goes from panel 2 at once, not at its next activation.
    if (toTabIndex(form.current()) == Index)
        form.clearPanel2();
}

void PageEvents::WebBrowser_GotFocus(int Index)
{
    // Focus that moves because a tab is closing, or because the keyboard follows the page
    // brought into sight, is not the user's choice of a page.
    if (!form.tabs().focusActivates())
        return;
    if (Index > 0)
        form.tabs().activate(Index);
}

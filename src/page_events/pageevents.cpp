#include "page_events/pageevents.h"

#include "page_tools/pagetools.h"
#include "tabs/sourceeditor.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "window/addresscontroller.h"
#include "window/form1.h"
#include "window/statuspanels.h"
#include "window/warningpanel.h"

PageEvents::PageEvents(Form1 &form)
    : QObject(&form)
    , form(form)
{
    form.tabs().setPageEvents(*this, form.pageTools());
}

// Status texts, load progress, downloads, the lock state and focus of the page views.
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
    if (form.tabs().front() == &tab)
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

// A page's title, and a completed document taken into the rest of the browser.
void PageEvents::WebBrowser_TitleChange(Tab &tab, const QString &Text)
{
    Q_UNUSED(tab);
    screenForWarnings(ContentWarnings::Source::Title, Text);
}

void PageEvents::WebBrowser_LocationChange(Tab &tab, const QString &URL)
{
    // The address box names the page shown in front, from the moment the engine shows it,
    // however long that page then takes to complete.
    if (form.tabs().front() == &tab)
        form.addressBox().follow(URL);
}

void PageEvents::WebBrowser_DocumentComplete(Tab &tab, const QString &URL)
{
    Q_UNUSED(URL); // the view's own address is read instead, as for every frame's event
    Tabs &tabs = form.tabs();
    PageView *view = tab.page();
    const bool current = tabs.front() == &tab;
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

// A failed navigation, reported on the shared warning panel.
void PageEvents::WebBrowser_NavigateError(Tab &tab, const QString &URL, int StatusCode)
{
    Q_UNUSED(URL);
    Q_UNUSED(StatusCode);
    if (!tab.page()->LocationName().isEmpty()) {
        form.warningPanel().tell(tr("An error accured"),
            tr("The Page could not be found or an error in source code of HTML."));
    } else {
        form.warningPanel().hide();
    }
    form.Form_Resize();
}

// Showing content warnings on the shared warning panel.
void PageEvents::screenForWarnings(ContentWarnings::Source source, const QString &text)
{
    if (!form.settings().warningSigns)
        return;
    for (const ContentWarnings::Warning &warning : ContentWarnings::screen(source, text))
        showWarning(warning.title, warning.message);
}

void PageEvents::showWarning(const std::optional<QString> &title, const QString &message)
{
    form.warningPanel().tell(title, message);
    form.Form_Resize();
}

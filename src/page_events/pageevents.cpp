#include "page_events/pageevents.h"

#include "page_tools/fullscreen.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "window/form1.h"

#include <QPointer>

PageEvents::PageEvents(Form1 &form)
    : QObject(&form)
    , form(form)
{
    // Made before the window opens its first tab: every tab is wired as it is made.
    connect(&form.tabs(), &Tabs::opened, this, &PageEvents::wire);
}

void PageEvents::wire(Tab *tab)
{
    PageView *view = tab->page();
    // Through the tab: once it closes, nothing of its page reaches a handler.
    connect(view, &PageView::StatusTextChange, tab,
        [this, tab](const QString &text) { WebBrowser_StatusTextChange(*tab, text); });
    connect(view, &PageView::ProgressChange, tab,
        [this, tab](int progress, int max) { WebBrowser_ProgressChange(*tab, progress, max); });
    connect(
        view, &PageView::DownloadComplete, tab, [this, tab] { WebBrowser_DownloadComplete(*tab); });
    connect(view, &PageView::TitleChange, tab,
        [this, tab](const QString &text) { WebBrowser_TitleChange(*tab, text); });
    view->setNewWindowHandler([this, tab = QPointer(tab)](NewWindowRequest request) {
        if (tab)
            WebBrowser_NewWindow2(*tab, request);
        return request;
    });
    connect(view, &PageView::DocumentComplete, tab,
        [this, tab](const QString &url) { WebBrowser_DocumentComplete(*tab, url); });
    connect(view, &PageView::LocationChange, tab,
        [this, tab](const QString &url) { WebBrowser_LocationChange(*tab, url); });
    connect(view, &PageView::SetSecureLockIcon, tab,
        [this, tab](int level) { WebBrowser_SetSecureLockIcon(*tab, level); });
    connect(view, &PageView::FileDownload, tab, [this, tab] { WebBrowser_FileDownload(*tab); });
    connect(view, &PageView::NavigateError, tab, [this, tab](const QString &url, int status) {
        WebBrowser_NavigateError(*tab, url, status);
    });
    connect(view, &PageView::GotFocus, tab, [this, tab] { WebBrowser_GotFocus(*tab); });
    connect(view, &PageView::WindowClosing, tab, [this, tab] { WebBrowser_WindowClosing(*tab); });
    // What the page asks of the window beyond the design's events.
    view->setFullScreenHandler(
        [this, view](bool on) { return form.fullScreen().pageAsked(view, on); });
    // Only the page in sight may ask to be printed; its guards bound how often.
    connect(view, &PageView::PrintRequested, tab, [this, tab] {
        if (form.tabs().isCurrent(tab->index()))
            form.printPage();
    });
    connect(view, &PageView::SaveRequested, tab,
        [this, view](
            const QString &link, const QString &name) { form.saveFrom(view, link, name); });
}

#include "page_events/pageevents.h"

#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "window/form1.h"

PageEvents::PageEvents(Form1 &form)
    : QObject(&form)
    , form(form)
{
    Tabs &tabs = form.tabs();
    for (Tab *tab : tabs.all())
        wire(tab);
    connect(&tabs, &Tabs::opened, this, &PageEvents::wire);
}

void PageEvents::wire(Tab *tab)
{
    PageView *view = tab->page();
    const int index = tab->index();
    // Through the tab: once it closes, nothing of its page reaches a handler.
    connect(view, &PageView::StatusTextChange, tab,
        [this, index](const QString &text) { WebBrowser_StatusTextChange(index, text); });
    connect(view, &PageView::ProgressChange, tab,
        [this, index](int progress, int max) { WebBrowser_ProgressChange(index, progress, max); });
    connect(view, &PageView::DownloadComplete, tab,
        [this, index] { WebBrowser_DownloadComplete(index); });
    connect(view, &PageView::TitleChange, tab,
        [this, index](const QString &text) { WebBrowser_TitleChange(index, text); });
    view->setNewWindowHandler([this, index](NewWindowRequest request) {
        WebBrowser_NewWindow2(index, request);
        return request;
    });
    connect(view, &PageView::DocumentComplete, tab,
        [this, index](const QString &url) { WebBrowser_DocumentComplete(index, url); });
    connect(view, &PageView::LocationChange, tab,
        [this, index](const QString &url) { WebBrowser_LocationChange(index, url); });
    connect(view, &PageView::SetSecureLockIcon, tab,
        [this, index](int level) { WebBrowser_SetSecureLockIcon(index, level); });
    connect(view, &PageView::FileDownload, tab, [this, index] {
        bool cancel = false;
        WebBrowser_FileDownload(index, cancel);
    });
    connect(view, &PageView::NavigateError, tab, [this, index](const QString &url, int status) {
        WebBrowser_NavigateError(index, url, status);
    });
    connect(view, &PageView::GotFocus, tab, [this, index] { WebBrowser_GotFocus(index); });
    connect(
        view, &PageView::WindowClosing, tab, [this, index] { WebBrowser_WindowClosing(index); });
}

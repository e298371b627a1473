#include "page_events/pageevents.h"

#include "main_window/form1.h"
#include "main_window/tabs.h"

PageEvents::PageEvents(Form1 &form)
    : QObject(&form)
    , form(form)
{
    Tabs &tabs = form.tabs();
    for (int index : tabs.openTabs())
        wire(index);
    connect(&tabs, &Tabs::opened, this, &PageEvents::wire);
    connect(&tabs, &Tabs::closed, this, [this](int index) { m_popups.forget(index); });
}

void PageEvents::wire(int index)
{
    PageView *view = form.tabs().WebBrowser(index);
    if (!view)
        return;
    connect(view, &PageView::StatusTextChange, this,
        [this, index](const QString &text) { WebBrowser_StatusTextChange(index, text); });
    connect(view, &PageView::ProgressChange, this,
        [this, index](int progress, int max) { WebBrowser_ProgressChange(index, progress, max); });
    connect(view, &PageView::DownloadComplete, this,
        [this, index] { WebBrowser_DownloadComplete(index); });
    connect(view, &PageView::TitleChange, this,
        [this, index](const QString &text) { WebBrowser_TitleChange(index, text); });
    connect(view, &PageView::NewWindow2, this,
        [this, index](NewWindowRequest &request) { WebBrowser_NewWindow2(index, request); });
    connect(view, &PageView::DocumentComplete, this,
        [this, index](const QString &url) { WebBrowser_DocumentComplete(index, url); });
    connect(view, &PageView::SetSecureLockIcon, this,
        [this, index](int level) { WebBrowser_SetSecureLockIcon(index, level); });
    connect(view, &PageView::FileDownload, this,
        [this, index](bool &cancel) { WebBrowser_FileDownload(index, cancel); });
    connect(view, &PageView::NavigateError, this, [this, index](const QString &url, int status) {
        WebBrowser_NavigateError(index, url, status);
    });
    connect(view, &PageView::GotFocus, this, [this, index] { WebBrowser_GotFocus(index); });
    connect(
        view, &PageView::WindowClosing, this, [this, index] { WebBrowser_WindowClosing(index); });
}

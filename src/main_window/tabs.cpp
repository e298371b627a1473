// Opening tabs: the three elements of a new index, its header placed flush right of the
// last one, and its activation.
#include "hosted/sourceeditor.h"
#include "main_window/form1.h"
#include "tab_header/flik.h"

void Form1::newflik_Click()
{
    openTab(true);
}

void Form1::mnutab_Click()
{
    newflik_Click();
}

void Form1::flik_GotFocus(int index)
{
    if (::flik *header = flik(index))
        header->sellect();
}

std::optional<int> Form1::openTab(bool viewBeforeSource)
{
    const int index = flik.ubound() + 1;
    if (!loadFlik(index))
        return std::nullopt;
    ::flik *header = flik(index);
    if (::flik *previous = flik(index - 1))
        header->setLeft(previous->Left() + previous->Width());
    header->indexer(static_cast<float>(index));
    header->show();
    loadWebBrowser(WebBrowser.ubound() + 1);
    if (viewBeforeSource) {
        if (PageView *view = WebBrowser(WebBrowser.ubound()))
            view->show();
        loadCodetext(Codetext.ubound() + 1);
    } else {
        loadCodetext(Codetext.ubound() + 1);
        if (PageView *view = WebBrowser(WebBrowser.ubound()))
            view->show();
    }
    header->sellect();
    return index;
}

bool Form1::loadFlik(int index)
{
    ::flik *model = flik(0);
    if (!model || index > ControlArray<::flik>::maxIndex)
        return false;
    auto *header = new ::flik(*this, Picture1);
    header->copyConfiguration(*model);
    header->hide();
    if (!flik.load(index, header)) {
        delete header;
        return false;
    }
    return true;
}

void Form1::loadWebBrowser(int index)
{
    PageView *model = WebBrowser(0);
    if (!model || index > ControlArray<PageView>::maxIndex)
        return;
    PageView *view = m_factory(container);
    view->setGeometry(model->geometry());
    view->hide();
    if (!WebBrowser.load(index, view)) {
        delete view;
        return;
    }
    wire(view, index);
}

void Form1::loadCodetext(int index)
{
    SourceEditor *model = Codetext(0);
    if (!model || index > ControlArray<SourceEditor>::maxIndex)
        return;
    auto *editor = new SourceEditor(container);
    editor->copyConfiguration(*model);
    editor->setGeometry(model->geometry());
    editor->hide();
    if (!Codetext.load(index, editor))
        delete editor;
}

void Form1::wire(PageView *view, int index)
{
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
}

#include "main_window/tablife.h"

#include "hosted/sourceeditor.h"
#include "main_window/form1.h"
#include "main_window/tabstrip.h"
#include "main_window/twips.h"
#include "tab_header/flik.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>

namespace {

// Takes an element out of its array and off the screen; the caller lets it go.
template <typename T> T *takeElement(ControlArray<T> &array, int index, QObject *receiver)
{
    T *element = array.unload(index);
    if (element) {
        // A late signal from it must not reach the tab that reuses its index.
        element->disconnect(receiver);
        element->hide();
    }
    return element;
}

bool holds(const QWidget *element, const QWidget *focus)
{
    return element && (element == focus || element->isAncestorOf(focus));
}

} // namespace

TabLife::TabLife(Form1 &form, PageViewFactory factory)
    : form(form)
    , m_factory(std::move(factory))
{ }

void TabLife::loadTemplates()
{
    PageView *view = m_factory(form.container);
    view->setGeometry(Twips::toRect(0, 0, 7815, 5295));
    view->hide();
    form.WebBrowser.load(0, view);

    auto *editor = new SourceEditor(form.container);
    editor->setGeometry(Twips::toRect(0, 0, 11955, 5775));
    editor->hide();
    form.Codetext.load(0, editor);

    auto *header = new ::flik(form, form.Picture1->headers());
    header->setLeft(-1440);
    header->hide();
    form.flik.load(0, header);
}

std::optional<int> TabLife::open(bool viewBeforeSource)
{
    const ::flik *headerModel = form.flik(0);
    const PageView *viewModel = form.WebBrowser(0);
    const SourceEditor *editorModel = form.Codetext(0);
    // One index for all three: an index that any array cannot take makes no tab at all.
    const int index = form.flik.ubound() + 1;
    if (!headerModel || !viewModel || !editorModel || index > ControlArray<::flik>::maxIndex
        || form.WebBrowser(index) || form.Codetext(index))
        return std::nullopt;

    auto *header = new ::flik(form, form.Picture1->headers());
    header->copyConfiguration(*headerModel);
    header->hide();
    form.flik.load(index, header);
    if (const ::flik *previous = form.flik(index - 1))
        header->setLeft(previous->Left() + previous->Width());
    header->indexer(static_cast<float>(index));
    header->show();

    PageView *view = m_factory(form.container);
    view->setGeometry(viewModel->geometry());
    view->hide();
    form.WebBrowser.load(index, view);
    wire(view, index);
    const auto makeEditor = [&] {
        auto *editor = new SourceEditor(form.container);
        editor->copyConfiguration(*editorModel);
        editor->setGeometry(editorModel->geometry());
        editor->hide();
        form.Codetext.load(index, editor);
    };
    if (!viewBeforeSource)
        makeEditor();
    view->show();
    if (viewBeforeSource)
        makeEditor();
    return index;
}

void TabLife::close(int index)
{
    m_closing = true;
    settleFocus(index);
    if (PageView *view = takeElement(form.WebBrowser, index, &form))
        view->release();
    if (SourceEditor *editor = takeElement(form.Codetext, index, &form))
        editor->deleteLater();
    form.forgetTab(index);
    // The header goes last; it may be the one whose click is being handled.
    if (::flik *header = takeElement(form.flik, index, &form))
        header->deleteLater();
    m_closing = false;
}

void TabLife::settleFocus(int index)
{
    const QWidget *focus = QApplication::focusWidget();
    if (!focus
        || !(holds(form.WebBrowser(index), focus) || holds(form.Codetext(index), focus)
            || holds(form.flik(index), focus)))
        return;
    // Hiding the focused element would pass the focus along the focus chain, to whatever
    // comes next. It goes where the user's eyes go instead: the active tab's page (or its
    // source, when that is on show), or the address box when no tab is left.
    QWidget *next = form.address;
    const auto active = toTabIndex(form.current);
    if (active && *active != index) {
        const ::flik *header = form.flik(*active);
        if (QWidget *editor = form.editorAt(form.current);
            editor && header && header->vs->isChecked())
            next = editor;
        else if (QWidget *view = form.viewAt(form.current))
            next = view;
    }
    next->setFocus(Qt::OtherFocusReason);
}

void TabLife::wire(PageView *view, int index)
{
    Form1 *window = &form;
    QObject::connect(view, &PageView::StatusTextChange, window,
        [window, index](const QString &text) { window->WebBrowser_StatusTextChange(index, text); });
    QObject::connect(
        view, &PageView::ProgressChange, window, [window, index](int progress, int max) {
            window->WebBrowser_ProgressChange(index, progress, max);
        });
    QObject::connect(view, &PageView::DownloadComplete, window,
        [window, index] { window->WebBrowser_DownloadComplete(index); });
    QObject::connect(view, &PageView::TitleChange, window,
        [window, index](const QString &text) { window->WebBrowser_TitleChange(index, text); });
    QObject::connect(
        view, &PageView::NewWindow2, window, [window, index](NewWindowRequest &request) {
            window->WebBrowser_NewWindow2(index, request);
        });
    QObject::connect(view, &PageView::DocumentComplete, window,
        [window, index](const QString &url) { window->WebBrowser_DocumentComplete(index, url); });
    QObject::connect(view, &PageView::SetSecureLockIcon, window,
        [window, index](int level) { window->WebBrowser_SetSecureLockIcon(index, level); });
    QObject::connect(view, &PageView::FileDownload, window,
        [window, index](bool &cancel) { window->WebBrowser_FileDownload(index, cancel); });
    QObject::connect(
        view, &PageView::NavigateError, window, [window, index](const QString &url, int status) {
            window->WebBrowser_NavigateError(index, url, status);
        });
    QObject::connect(
        view, &PageView::GotFocus, window, [window, index] { window->WebBrowser_GotFocus(index); });
}

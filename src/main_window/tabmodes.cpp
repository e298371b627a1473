// A tab's two modes, switched from its menu: its page or the page's source in front, and
// the search field on its header; and a search sent from that field.
#include "hosted/sourceeditor.h"
#include "main_window/tabs.h"
#include "tab_header/search.h"

#include <QAction>
#include <QPointer>

void Tabs::viewSource(int index)
{
    ::flik *header = m_headers(index);
    PageView *view = m_views(index);
    SourceEditor *editor = m_editors(index);
    if (!header)
        return;
    if (header->sourceShown()) {
        if (view)
            view->raise();
        header->setSourceShown(false);
        m_window.sourceMark->setChecked(false);
        return;
    }
    if (view && editor) {
        // The completed page's markup is at hand at once; the fresh read follows (the engine
        // answers later, never about a page it has left) and replaces it if the page has
        // changed since.
        if (const auto completed = view->bodyInnerHtml())
            editor->setText(*completed);
        view->requestBodyInnerHtml(editor, [editor = QPointer(editor)](const QString &markup) {
            if (editor)
                editor->setText(markup);
        });
    }
    if (editor) {
        editor->show();
        editor->raise();
    }
    header->setSourceShown(true);
    m_window.sourceMark->setChecked(true);
}

void Tabs::viewSearch(int index)
{
    ::flik *header = m_headers(index);
    if (!header)
        return;
    if (header->isSearchTab()) {
        header->setSearchTab(false);
        const PageView *view = m_views(index);
        header->Caption(view ? view->LocationName() : QString());
    } else {
        header->setSearchTab(true);
        header->Caption(tr("Search"));
    }
}

void Tabs::search(int index, const QString &text)
{
    ::flik *header = m_headers(index);
    PageView *view = m_views(index);
    if (view)
        view->Navigate(searchAddress(m_searchService, text));
    if (!header)
        return;
    // The page shown before the search names the tab until the result completes.
    header->setSearchTab(false);
    header->Caption(view ? view->LocationName() : QString());
}

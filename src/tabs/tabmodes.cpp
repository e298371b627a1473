// A tab's two modes, switched from its menu: its page or the page's source in front, and
// the search field on its header; and a search sent from that field.
#include "hosted/sourceeditor.h"
#include "tab_header/search.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"

#include <QAction>
#include <QPointer>

void Tabs::viewSource(int index)
{
    Tab *tab = this->tab(index);
    if (!tab)
        return;
    ::flik *header = tab->header();
    PageView *view = tab->page();
    SourceEditor *editor = tab->source();
    // A covered tab's mode changes alone: what is in front, the address box and the
    // window's check mark belong to the active tab, and the tab shows its mode when it is
    // next activated.
    const bool inSight = isCurrent(index);
    if (header->sourceShown()) {
        header->setSourceShown(false);
        if (!inSight)
            return;
        if (view)
            view->raise();
        m_window.sourceMark->setChecked(false);
        return;
    }
    if (view && editor) {
        // A dialog that waits over the page would be left under its source: it is answered.
        view->dismissDialogs();
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
    header->setSourceShown(true);
    if (!inSight)
        return;
    if (editor) {
        editor->show();
        editor->raise();
    }
    m_window.sourceMark->setChecked(true);
}

void Tabs::viewSearch(int index)
{
    ::flik *header = flik(index);
    if (!header)
        return;
    if (header->isSearchTab()) {
        header->setSearchTab(false);
        const PageView *view = WebBrowser(index);
        header->Caption(view ? view->LocationName() : QString());
    } else {
        header->setSearchTab(true);
        header->Caption(tr("Search"));
    }
}

void Tabs::search(int index, const QString &text)
{
    ::flik *header = flik(index);
    PageView *view = WebBrowser(index);
    if (view)
        view->Navigate(searchAddress(m_searchService, text));
    if (!header)
        return;
    // The page shown before the search names the tab until the result completes.
    header->setSearchTab(false);
    header->Caption(view ? view->LocationName() : QString());
}

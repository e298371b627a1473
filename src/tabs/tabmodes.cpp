#include "tabs/tabmodes.h"

#include "tab_header/search.h"
#include "tabs/tab.h"

#include <QAction>
#include <QPointer>

TabModes::TabModes(QAction *sourceMark, QString searchService)
    : m_sourceMark(sourceMark)
    , m_searchService(std::move(searchService))
{ }

void TabModes::viewSource(Tab &tab, bool inSight) const
{
    ::flik *header = tab.header();
    PageView *view = tab.page();
    SourceEditor *editor = tab.source();
    if (header->look().sourceShown) {
        header->setSourceShown(false);
        if (!inSight)
            return;
        if (view)
            view->raise();
        m_sourceMark->setChecked(false);
        return;
    }
    if (view && editor) {
        // A dialog that waits over the page would be left under its source: it is answered.
        view->hooks().dismissQuestions();
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
    m_sourceMark->setChecked(true);
}

void TabModes::viewSearch(::flik &header, const PageView *view) const
{
    if (header.look().searchTab) {
        header.setSearchTab(false);
        header.Caption(view ? view->LocationName() : QString());
    } else {
        header.setSearchTab(true);
        header.Caption(QObject::tr("Search"));
    }
}

void TabModes::search(::flik *header, PageView *view, const QString &text) const
{
    if (view)
        view->Navigate(searchAddress(m_searchService, text));
    if (!header)
        return;
    // The page shown before the search names the tab until the result completes.
    header->setSearchTab(false);
    header->Caption(view ? view->LocationName() : QString());
}

#pragma once

#include "common/pageview.h"
#include "tab_header/flik.h"
#include "tabs/addressbox.h"
#include "tabs/sourceeditor.h"
#include "tabs/tabowner.h"
#include "tabs/tabtemplates.h"

#include <optional>
#include <QObject>
#include <QPointer>

// What the browser keeps about one tab, beyond its elements.
struct TabState
{
    // Opened for a page's window that the user did not ask for: counted against the bound on
    // pop-ups while it is open.
    bool openedUnasked = false;
    // When the tab went behind, on the rest clock; nothing while it is in front (or before
    // it ever was covered).
    std::optional<qint64> coveredSince;
    // How deeply its page rests, as its view last said.
    PageView::Rest rest = PageView::Rest::Awake;
    // Its page is being asked whether it may be left, on its way to closing.
    bool askedToLeave = false;
    // What the user has typed over its address, kept while another tab is in front.
    AddressInput addressInput;
};

// One tab: the three elements that share its index (header, page view, source view) and
// what the browser keeps about this tab alone. Whatever is wired to its elements on its
// behalf names it as the context, so that closing it cuts those connections and nothing
// else: a late signal of its page never reaches a tab that reuses the index, while a print
// or save of the page still hears how it ended.
class Tab final : public QObject
{
    Q_OBJECT
public:
    // factory: makes the page views of the tab's own windows (its developer tools). The
    // tab is wired to its holder and to the window's page events as it is made, before its
    // page loads anything.
    Tab(int index, const TabTemplates::Elements &elements, PageViewFactory factory,
        const TabOwners &owners, QObject *parent);

    int index() const { return m_index; }
    ::flik *header() const { return m_header; }
    // Never null while the tab is open: every tab is made with its page view.
    PageView *page() const { return m_page; }
    SourceEditor *source() const { return m_source; }

    // What the browser keeps about this tab alone.
    TabState &state() { return m_state; }
    const TabState &state() const { return m_state; }

    // Its page in sight, with what is shown over it, or covered.
    void setInFront(bool inFront);
    // Find in what it shows: its source when that is shown, else its page. The bar is made
    // the first time, over that view.
    void openFindBar();
    // The engine's developer tools for its page, in a window of their own: shown, or closed
    // when they are.
    void toggleDevTools();

    // Lets the elements go: what the tab set on them first, then the page (which
    // goes once its dialog is off the stack), the source view, the header (possibly the one
    // whose click is being handled) and this, each once the event being handled is done.
    void close();

private:
    // Everything that listens to the tab's elements, connected once, here: its elements to
    // each other, to its own bars and tools, to the strip and to the window.
    void wire(const TabOwners &owners);

    const int m_index;
    QPointer<::flik> m_header;
    QPointer<PageView> m_page;
    QPointer<SourceEditor> m_source;
    // Made with the tab, over its page.
    class PermissionBar *m_permissions = nullptr;
    QPointer<class FindBar> m_pageFind;
    QPointer<class FindBar> m_sourceFind;
    class DevToolsWindow *m_devTools = nullptr;
    PageViewFactory m_factory;
    TabState m_state;
};

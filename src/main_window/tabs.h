#pragma once

#include "hosted/pageview.h"
#include "hosted/sourceeditor.h"
#include "main_window/controlarray.h"
#include "tab_header/flik.h"

#include <optional>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <set>
#include <vector>

class MainStatusBar;
class QAction;
class QComboBox;
class TabStrip;

// The one owner of the tabs: the three arrays that share the tab index (page views, source
// views, headers), which tab is active (`current`) and which was active before it
// (`lastone`), the headers drawn selected, and the tabs opened behind at start-up. Only
// activation writes `current` and `lastone`. A tab's three elements are made together under
// one index and removed together, so the arrays never disagree about which tabs exist.
//
// The headers tell what the user did by their signals; this acts on it. It knows the
// window only by the controls a tab's life touches, given when it is made.
class Tabs final : public QObject
{
    Q_OBJECT
public:
    // The window's controls that activation and closing write.
    struct Window
    {
        QWidget *container = nullptr; // where the views lie, stacked
        TabStrip *strip = nullptr; // where the headers lie
        QComboBox *address = nullptr;
        MainStatusBar *status = nullptr;
        QAction *sourceMark = nullptr; // "Source code"
        QPixmap lock;
    };
    // Whether a new tab's page view is shown before its source view is made (the new-tab
    // button), or after (a page's new window).
    enum class Order { ViewFirst, SourceFirst };

    Tabs(Window window, PageViewFactory factory, QString searchService, QObject *parent);

    // The hidden templates at index 0, which every new element copies.
    void loadTemplates();

    // The elements of a tab; nullptr for an index that names none.
    PageView *WebBrowser(int index) const { return m_views(index); }
    SourceEditor *Codetext(int index) const { return m_editors(index); }
    ::flik *flik(int index) const { return m_headers(index); }
    // The same for a float field such as `current`; never the hidden template.
    PageView *viewAt(float index) const;
    SourceEditor *editorAt(float index) const;
    ::flik *headerAt(float index) const;
    // The highest index of a header; 0 while only the template exists.
    int ubound() const { return m_headers.ubound(); }
    // The open tabs' indices, ascending (the template is not a tab).
    std::vector<int> openTabs() const;

    float current() const { return m_current; }
    float lastone() const { return m_lastone; }

    // Makes a new tab's three elements at the highest index plus one: the header placed
    // flush right of the last one, given its index and shown, the page view shown and the
    // source view hidden. Nothing when no further tab can be made; then no element is left.
    std::optional<int> open(Order order);
    // Activation of a tab (sellect, or a variant of the header's own handlers): its header
    // drawn selected and every other not, its page (or source) in front, `current` and
    // `lastone`, the address box and the encryption panel.
    void activate(int index, Activation how = Activation::Full);
    // Closes a tab as its close box does: it is activated, the headers right of it close up,
    // the tab active before it (or, when that is gone, the nearest open one) is activated,
    // and its elements go once the event being handled is done.
    void close(int index);
    // Moves every header from index on by `by` twips: the one reflow of the strip.
    void shiftHeaders(int from, float by);
    // Sizes every page view and source view, the templates and hidden ones included.
    void resizeViews(QSize size);
    // Before the window's controls go: no page view's late signal reaches anything.
    void disconnectViews();

    // The tab menu's commands and the search field, on one tab.
    void viewSource(int index);
    void viewSearch(int index);
    void search(int index, const QString &text);

    // Tabs opened with the program behind its last one, whose first page has not completed:
    // that completion leaves the active tab as it is.
    void openedBehind(int index) { m_openedBehind.insert(index); }
    // Whether the tab was still behind; it is not any more.
    bool takeOpenedBehind(int index) { return m_openedBehind.erase(index) > 0; }

    // False while a tab's elements are being removed, or the keyboard follows the page in
    // sight: focus that moves then is not the user's choosing a tab.
    bool focusActivates() const { return !m_closing && !m_handingFocus; }

signals:
    // A tab was made; its page view's events may be wired now.
    void opened(int index);
    // A tab was closed; its index may be given out again. The address its page showed
    // (empty for none).
    void closed(int index, const QString &address);
    // A mouse button went down on a header's face.
    void headerPressed();
    // A header took the keyboard focus.
    void headerFocused(int index);
    // A tab's page came in front, covering the one that was (0 for none).
    void frontChanged(int front, int covered);

private:
    void wire(::flik *header, int index);
    void showViews(int index, Activation how);
    void bringInFront(PageView *view, int index);
    void settleFocus(int index);

    Window m_window;
    PageViewFactory m_factory;
    QString m_searchService;
    ControlArray<PageView> m_views;
    ControlArray<SourceEditor> m_editors;
    ControlArray<::flik> m_headers;
    float m_current = 0;
    float m_lastone = 0;
    // The headers drawn selected, which the next activation clears.
    std::vector<QPointer<::flik>> m_selected;
    // The page view told it is in front; the others rest.
    QPointer<PageView> m_inFront;
    int m_inFrontIndex = 0;
    std::set<int> m_openedBehind;
    bool m_closing = false;
    bool m_handingFocus = false;
};

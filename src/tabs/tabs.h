#pragma once

#include "common/pageview.h"
#include "common/tabindex.h"
#include "tab_header/flik.h"
#include "tabs/sourceeditor.h"
#include "tabs/tabmodes.h"
#include "tabs/tabowner.h"
#include "tabs/tabtemplates.h"

#include <functional>
#include <map>
#include <optional>
#include <QObject>
#include <QPointer>
#include <vector>

class QAction;
class AddressBox;
class Tab;
class TabClosing;
class TabStrip;

// The one owner of the tabs, and the one way to act on them: a Tab per index, holding the
// three elements that share it (page view, source view, header), which tab is active
// (`current`) and which was active before it (`lastone`), and the headers drawn selected.
// The three element arrays (WebBrowser, Codetext, flik) are views onto the tabs, with the
// hidden templates at index 0: elements() outside.
// Only activation writes `current` and `lastone`. Everything outside a header activates,
// closes and switches a tab's modes here, never through the header's own handlers.
//
// The headers tell what the user did by their signals; this acts on it. It knows the
// window only by the controls a tab's life touches, given when it is made.
class Tabs final : public QObject, private TabHolder
{
    Q_OBJECT
public:
    // The window's controls that activation and closing write.
    struct Window
    {
        QWidget *container = nullptr; // where the views lie, stacked
        TabStrip *strip = nullptr; // where the headers lie
        AddressBox *address = nullptr;
        QAction *sourceMark = nullptr; // "Source code"
        // The encryption panel shows the active tab's lock, or not.
        std::function<void(bool encrypted)> showLock;
    };
    using Order = TabTemplates::Order;

    // Makes the hidden templates at index 0, which every new element copies.
    Tabs(Window window, PageViewFactory factory, QString searchService, QObject *parent);

    // The window's handlers of every tab's page, which outlive the tabs: the one owner, set
    // before the first tab opens.
    void setPageEvents(TabPageEvents &events, TabPageTools &tools)
    {
        m_events = &events;
        m_tools = &tools;
    }

    // The tab at an index; nullptr for an index that names none (the templates are no tab).
    Tab *tab(int index) const;
    // The open tabs, by ascending index.
    std::vector<Tab *> all() const;
    // The tab in front (`current`) and its page; nullptr while none is.
    Tab *front() const { return tabAt(m_current); }
    PageView *frontPage() const;

    // A tab's header, page view and source view, or the hidden templates' at 0, which every
    // new tab's copy; none for an index that names no tab.
    TabTemplates::Elements elements(int index) const;
    // The highest index of a tab; 0 while none is open.
    int ubound() const { return m_tabs.empty() ? 0 : m_tabs.rbegin()->first; }

    float current() const { return m_current; }
    float lastone() const { return m_lastone; }

    // Makes a new tab at the highest index plus one: the header placed flush right of the
    // last one, given its index and shown, the page view shown and the source view hidden.
    // Nothing when no further tab can be made, or before the page events have their owner.
    // Behind: what is in front stays in front, and stays the active tab.
    Tab *open(Order order, bool behind = false);
    // Activation of a tab (sellect, or a variant of the header's own handlers): its header
    // drawn selected and every other not, its page (or source) in front, `current` and
    // `lastone`, the address box and the encryption panel.
    void activate(int index, Activation how = Activation::Full);
    // Closing tabs and asking their pages whether they may be left.
    TabClosing &closing() const { return *m_closingTabs; }
    // Sizes every page view and source view, the templates and hidden ones included.
    void resizeViews(QSize size);
    // Before the window's controls go: no page view's late signal reaches anything.
    void disconnectViews();

    // A command of a tab's menu, on that tab (TabModes); a covered tab comes in front first,
    // so that what it does is seen.
    void command(int index, TabCommand command);

    // False while a tab's elements are being removed, or the keyboard follows the page in
    // sight: focus that moves then is not the user's choosing a tab.
    bool focusActivates() const;

signals:
    // A tab was closed; its index may be given out again. The address its page showed
    // (empty for none).
    void closed(int index, const QString &address);
    // A mouse button went down on a header's face.
    void headerPressed();
    // A header took the keyboard focus.
    void headerFocused(int index);
    // A tab's page came in front, covering the one that was (nullptr for none).
    void frontChanged(Tab *front, Tab *covered);

private:
    // The element arrays, as views onto elements().
    PageView *WebBrowser(int index) const { return elements(index).page; }
    SourceEditor *Codetext(int index) const { return elements(index).source; }
    ::flik *flik(int index) const { return elements(index).header; }
    bool isCurrent(int index) const;
    void viewSource(int index);
    void viewSearch(int index);
    void search(int index, const QString &text);
    // The tab a float field such as `current` names; never the hidden template.
    Tab *tabAt(float index) const;
    // Moves every header from index on by `by` twips: the one reflow of the strip.
    void shiftHeaders(int from, float by);
    void headerActivated(int index, Activation how) override;
    void headerPress() override { emit headerPressed(); }
    void headerFocusIn(int index) override { emit headerFocused(index); }
    void closeRequested(int index) override;
    void menuCommand(int index, TabCommand what) override { command(index, what); }
    void searchEntered(int index, const QString &text) override { search(index, text); }
    void headerResized(int index) override;
    void dialogShown(Tab &tab) override;
    void leaveAsked(int index) override;
    void showViews(Tab *tab, Activation how);
    void bringInFront(Tab *tab);
    void settleFocus(Tab *closing);
    // Whether the focus is on the element or inside it.
    static bool holds(const QWidget *element, const QWidget *focus);
    void keepInFront();

    Window m_window;
    TabPageEvents *m_events = nullptr;
    TabPageTools *m_tools = nullptr;
    TabTemplates m_templates;
    TabModes m_modes;
    TabClosing *m_closingTabs = nullptr;
    std::map<int, QPointer<Tab>> m_tabs;
    float m_current = 0;
    float m_lastone = 0;
    // The headers drawn selected, which the next activation clears.
    std::vector<QPointer<::flik>> m_selected;
    // The tab told it is in front; the others rest.
    QPointer<Tab> m_inFront;
    bool m_handingFocus = false;
    // Closing writes what closing a tab changes of the strip.
    friend class TabClosing;
};

#pragma once

#include "common/pageview.h"

#include <QPointer>

class SourceEditor;
class TabStrip;
class flik;

// The hidden elements at index 0 that every new tab's elements copy, and the making of a
// new tab's three elements from them.
class TabTemplates final
{
public:
    // Whether a new tab's page view is shown before its source view is made (the new-tab
    // button), or after (a page's new window).
    enum class Order { ViewFirst, SourceFirst };
    struct Elements
    {
        ::flik *header = nullptr;
        PageView *page = nullptr;
        SourceEditor *source = nullptr;
    };

    // Views lie in the container, headers in the strip.
    TabTemplates(QWidget *container, TabStrip *strip, PageViewFactory factory);

    // Makes the templates, hidden, the header left of the visible strip.
    void load();
    PageView *page() const { return m_page; }
    SourceEditor *source() const { return m_source; }
    ::flik *header() const { return m_header; }
    const PageViewFactory &factory() const { return m_factory; }

    // A new tab's elements as copies of the templates: its header given its index, placed
    // right of the previous header (if any) and shown, its page view shown and its source
    // view hidden. Nothing before the templates are made.
    std::optional<Elements> make(int index, const ::flik *previous, Order order);

private:
    QWidget *m_container;
    TabStrip *m_strip;
    PageViewFactory m_factory;
    QPointer<PageView> m_page;
    QPointer<SourceEditor> m_source;
    QPointer<::flik> m_header;
};

#pragma once

#include <QString>

class PageView;
class QAction;
class Tab;
class flik;

// A tab's two modes, switched from its menu: its page or the page's source in front, and
// the search field on its header; and a search sent from that field.
class TabModes final
{
public:
    // The window's "Source code" mark; the search service's scheme and host.
    TabModes(QAction *sourceMark, QString searchService);

    // Switches the tab between its page and its source. A covered tab's mode changes alone:
    // what is in front, the address box and the window's mark belong to the active tab,
    // and the tab shows its mode when it is next activated.
    void viewSource(Tab &tab, bool inSight) const;
    // Turns a header into a search tab and back, captioned by its page when back.
    void viewSearch(::flik &header, const PageView *view) const;
    // Sends the text to the search service in the view.
    void search(::flik *header, PageView *view, const QString &text) const;

private:
    QAction *m_sourceMark;
    QString m_searchService;
};

#pragma once

#include <QStringList>
#include <QWebEngineUrlRequestInterceptor>

class ContentBlocking;
class QMenu;
class QWebEnginePage;

// One page's blocking of ads and trackers. Its requests go through the lists: what they
// block is never sent, and is counted for the page shown. The page the user asked for is
// never blocked here: only what a page asks for itself (its pictures, scripts, frames, its
// requests in the background). Its ad boxes are hidden by a style sheet the page gets as
// its document is made, before it first paints.
class PageFilter final : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT
public:
    // Filters the page's requests from now on.
    PageFilter(ContentBlocking &blocking, QWebEnginePage *page);

    // The generic lone class and id rules, for every document of the profile: its script
    // "tessarvine-generic", which each page's hiding script uses.
    static QString genericScript(const QStringList &names);

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;
    // The page's main frame heads for an address: the style sheet of that site's page. While
    // the lists are still being read, the sheet follows once they are, into the document
    // shown then: the window never waits on them.
    void headsFor(const QUrl &address);
    // The page shows another address (its document committed, or a move within it).
    void shown(const QUrl &address);
    // The page's load ended.
    void loaded();
    // The page shows another document: its count starts again.
    void documentStarted();
    // The page's menu: how many requests were blocked (and which), and ads let through for
    // the page's site or not, which reloads the page.
    void addToMenu(QMenu *menu);
    // The addresses blocked for the document shown, the first of them.
    const QStringList &blocked() const { return m_blocked; }
    int blockedCount() const { return m_count; }

private:
    // A blocked picture or frame would show as a broken one: its element is taken out of
    // the page's layout, as if the ad had never been there.
    void collapse(const QString &address);

    ContentBlocking &m_blocking;
    QWebEnginePage *m_page;
    QStringList m_blocked;
    QStringList m_collapsing;
    // The host whose hiding the page's script holds, whether its ads were let through then,
    // the script (empty: nothing hidden), and whether the generic names apply.
    QString m_host;
    bool m_allowed = false;
    QString m_script;
    bool m_generic = false;
    // The host of the document shown that was sent its sheet.
    QString m_sheetSentTo;
    // Whether a sheet waits for the lists.
    bool m_sheetWaits = false;
    int m_count = 0;
};

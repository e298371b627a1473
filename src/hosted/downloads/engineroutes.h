#pragma once

#include <deque>
#include <QDeadlineTimer>
#include <QHash>
#include <QObject>
#include <QPointer>

class QUrl;
class QWebEngineDownloadRequest;
class QWebEngineProfile;
class QWidget;

class EngineRoutes;

// One page view's end of the engine-wide routes: the events of the whole profile that
// concern this view alone. It goes with its view.
class PageRoute final : public QObject
{
    Q_OBJECT
public:
    PageRoute(EngineRoutes *routes, QWidget *view);

    // The view's page asked to load an address: a frame's navigation, a redirect, or an
    // address typed. A download of it is the view's.
    void navigationAsked(const QUrl &url);

signals:
    void focusEntered();
    void focusLeft();
    // Accept or cancel it before returning: the engine cancels a download left for later.
    // byAddress: the view's page asked to load its address (or its site's), rather than its
    // script making it.
    void downloadRequested(QWebEngineDownloadRequest *download, bool byAddress);

private:
    EngineRoutes *m_routes;
};

// Hands the engine-wide events to the one page view each concerns: a focus change to the
// view that gains or loses the keyboard focus, a download to the view whose page asked for
// it. One connection each, however many tabs are open, so that their cost does not grow
// with the number of tabs.
//
// A download goes to the view whose page made it, as the engine names it. Qt WebEngine 6.4
// reads freed memory there when that page has gone (a tab closed while its download
// starts), and only this program deletes its pages: the engine is asked only while no page
// has gone for longer than a download takes to start. Otherwise it goes to the view whose
// page asked for its address last, or an address of its site; a download none of these
// places is cancelled. What the user did elsewhere never decides: a covered tab's script
// could otherwise download in the name of the tab the user acts in.
class EngineRoutes final : public QObject
{
    Q_OBJECT
public:
    // The addresses asked for that are remembered, the newest, however many views ask.
    static constexpr int remembered = 4096;

    explicit EngineRoutes(QObject *parent = nullptr);

    // The routes of a view, made with it; it ends them before it goes.
    PageRoute *routeFor(QWidget *view);
    // A view's page asked to load an address.
    void asked(PageRoute *route, const QUrl &url);
    // A download no one else took goes to the view it belongs to.
    void route(QWebEngineDownloadRequest *download);
    // A page of this program was deleted: for a while, no download is asked for its page.
    void pageDeleted();

private:
    void onFocusChanged(QWidget *now);
    PageRoute *routeHolding(const QWidget *widget) const;
    PageRoute *pageOwner(QWebEngineDownloadRequest *download) const;
    void remember(size_t key, PageRoute *route);

    QHash<const QWidget *, PageRoute *> m_routes;
    QPointer<PageRoute> m_focused;
    // Until when a download may have started on a page that has gone since.
    QDeadlineTimer m_pageGoneUntil;
    // The route that asked for an address last, by the address's key, with how often the
    // key stands in the order of asking, which forgets the oldest first.
    struct Asked
    {
        QPointer<PageRoute> route;
        int times = 0;
    };
    QHash<size_t, Asked> m_asked;
    std::deque<size_t> m_askedOrder;
};

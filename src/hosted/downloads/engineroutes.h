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
    // A mouse button went down on the view's page, which is in sight.
    void userPressed();

signals:
    void focusEntered();
    void focusLeft();
    // Accept or cancel it before returning: the engine cancels a download left for later.
    void downloadRequested(QWebEngineDownloadRequest *download);

private:
    EngineRoutes *m_routes;
};

// Hands the engine-wide events to the one page view each concerns: a focus change to the
// view that gains or loses the keyboard focus, a download to the view whose page asked for
// it. One connection each, however many tabs are open, so that their cost does not grow
// with the number of tabs.
//
// A download is never asked for its page: Qt WebEngine 6.4 reads a null page there when the
// page that started it has gone (a tab closed while its download starts), and the whole
// program falls. It goes to the view whose page asked for its address last; a download no
// page asked for by address (a link's download attribute, a script's) goes to the view that
// asked for an address of its site last, else to the view in front just after a press on
// its page (the user's own data: link). A download no view takes is cancelled: a covered
// tab's script could otherwise download in the name of the tab the user types in.
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
    // A view's page was pressed on.
    void pressed(PageRoute *route);

private:
    void onFocusChanged(QWidget *now);
    PageRoute *routeHolding(const QWidget *widget) const;
    void remember(size_t key, PageRoute *route);

    QHash<const QWidget *, PageRoute *> m_routes;
    QPointer<PageRoute> m_focused;
    QPointer<PageRoute> m_pressed;
    QDeadlineTimer m_pressedUntil;
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

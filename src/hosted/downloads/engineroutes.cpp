#include "hosted/downloads/engineroutes.h"

#include "common/site.h"

#include <optional>
#include <QApplication>
#include <QUrl>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>
#include <utility>

namespace {

// Addresses are compared by a hash of their encoded form: a page may ask for long ones.
size_t addressKey(const QUrl &url)
{
    return qHash(url.adjusted(QUrl::RemoveFragment).toEncoded());
}

// The site an address belongs to; kept apart from the addresses' keys. An address of no
// site (data:, file:) has none: every tab could have asked for one.
std::optional<size_t> siteKey(const QUrl &url)
{
    const auto site = Site::of(url);
    if (!site)
        return std::nullopt;
    return qHash(*site, 1);
}

// How long a download may take from the page's act to the engine's request: longer than
// a server's headers take on a slow line. Within it after a page went, the engine is not
// asked whose the download is.
constexpr int downloadStartsMs = 60000;

} // namespace

PageRoute::PageRoute(EngineRoutes *routes, QWidget *view)
    : QObject(view)
    , m_routes(routes)
{ }

void PageRoute::navigationAsked(const QUrl &url)
{
    m_routes->asked(this, url);
}

EngineRoutes::EngineRoutes(QObject *parent)
    : QObject(parent)
{
    connect(qApp, &QApplication::focusChanged, this,
        [this](QWidget *, QWidget *now) { onFocusChanged(now); });
}

PageRoute *EngineRoutes::routeFor(QWidget *view)
{
    auto *route = new PageRoute(this, view);
    m_routes.insert(view, route);
    connect(route, &QObject::destroyed, this, [this, view] { m_routes.remove(view); });
    return route;
}

PageRoute *EngineRoutes::routeHolding(const QWidget *widget) const
{
    for (; widget; widget = widget->parentWidget()) {
        if (PageRoute *route = m_routes.value(widget))
            return route;
    }
    return nullptr;
}

void EngineRoutes::asked(PageRoute *route, const QUrl &url)
{
    remember(addressKey(url), route);
    if (const auto site = siteKey(url))
        remember(*site, route);
}

void EngineRoutes::pageDeleted()
{
    m_pageGoneUntil.setRemainingTime(downloadStartsMs);
}

void EngineRoutes::remember(size_t key, PageRoute *route)
{
    Asked &asked = m_asked[key];
    asked.route = route;
    ++asked.times;
    m_askedOrder.push_back(key);
    while (m_askedOrder.size() > remembered) {
        const auto oldest = m_asked.find(m_askedOrder.front());
        m_askedOrder.pop_front();
        if (--oldest->times == 0)
            m_asked.erase(oldest);
    }
}

void EngineRoutes::onFocusChanged(QWidget *now)
{
    if (!now)
        return; // the engine's focus widget went away; the view may still be the focused one
    PageRoute *route = routeHolding(now);
    if (route == m_focused)
        return;
    const QPointer<PageRoute> left = std::exchange(m_focused, route);
    if (left)
        emit left->focusLeft();
    if (route)
        emit route->focusEntered();
}

PageRoute *EngineRoutes::pageOwner(QWebEngineDownloadRequest *download) const
{
    if (!m_pageGoneUntil.hasExpired())
        return nullptr;
    const QWebEnginePage *page = download->page();
    return page ? routeHolding(QWebEngineView::forPage(page)) : nullptr;
}

void EngineRoutes::route(QWebEngineDownloadRequest *download)
{
    if (download->state() != QWebEngineDownloadRequest::DownloadRequested)
        return; // taken already: a download resumed

    PageRoute *asked = m_asked.value(addressKey(download->url())).route;
    if (const auto site = siteKey(download->url()); !asked && site)
        asked = m_asked.value(*site).route;
    if (PageRoute *owner = pageOwner(download))
        emit owner->downloadRequested(download, owner == asked);
    else if (asked)
        emit asked->downloadRequested(download, true);
    else
        download->cancel();
}

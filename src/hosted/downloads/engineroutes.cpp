#include "hosted/downloads/engineroutes.h"

#include "common/site.h"

#include <optional>
#include <QApplication>
#include <QUrl>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
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
    return qHashMulti(size_t(1), site->scheme(), site->host(), site->port());
}

// How long after a press on a page a download no page asked for by address is that page's.
constexpr int pressOwnsMs = 3000;

} // namespace

PageRoute::PageRoute(EngineRoutes *routes, QWidget *view)
    : QObject(view)
    , m_routes(routes)
{ }

void PageRoute::navigationAsked(const QUrl &url)
{
    m_routes->asked(this, url);
}

void PageRoute::userPressed()
{
    m_routes->pressed(this);
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

void EngineRoutes::pressed(PageRoute *route)
{
    m_pressed = route;
    m_pressedUntil.setRemainingTime(pressOwnsMs);
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

void EngineRoutes::route(QWebEngineDownloadRequest *download)
{
    if (download->state() != QWebEngineDownloadRequest::DownloadRequested)
        return; // taken already: a download resumed

    PageRoute *owner = m_asked.value(addressKey(download->url())).route;
    if (const auto site = siteKey(download->url()); !owner && site)
        owner = m_asked.value(*site).route;
    if (!owner && !m_pressedUntil.hasExpired())
        owner = std::exchange(m_pressed, nullptr);
    if (owner)
        emit owner->downloadRequested(download);
    else
        download->cancel();
}

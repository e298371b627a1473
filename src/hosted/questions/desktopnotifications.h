#pragma once

#include "common/site.h"

#include <deque>
#include <memory>
#include <QHash>
#include <QObject>
#include <QString>

class QUrl;
class QWebEngineNotification;

// A page's notification, once its site was allowed to show them, goes to the desktop's
// notification service (freedesktop.org's), headed by the site's name. Without such a
// service it is dropped without a word, as a desktop without one shows no program's.
namespace DesktopNotifications {

// The summary and body as the service shows them: the site first, and the page's words as
// plain text in both, as a service may read markup in either.
struct Shown
{
    QString summary;
    QString body;
};
Shown shown(const QUrl &origin, const QString &title, const QString &message);

// How many notifications a site may put on the desktop: at most `most` in any `windowMs`,
// the rest dropped, so that a page cannot flood the desktop.
class Flood
{
public:
    static constexpr int most = 3;
    static constexpr qint64 windowMs = 10000;
    bool allow(const Site &site, qint64 nowMs);

private:
    QHash<Site, std::deque<qint64>> m_shown;
};

} // namespace DesktopNotifications

// The profile's one presenter of notifications: bounded per site, and a notification with
// the tag of one its site showed before replaces that one on the desktop.
class DesktopNotifier final : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    void present(std::unique_ptr<QWebEngineNotification> notification);

private:
    DesktopNotifications::Flood m_flood;
    // The service's id of each site's notification, by the site and the page's tag.
    QHash<QString, uint> m_ids;
};

#pragma once

#include <memory>
#include <QString>

class QWebEngineNotification;

// A page's notification, once its site was allowed to show them, goes to the desktop's
// notification service (freedesktop.org's), headed by the site's name. Without such a
// service it is dropped without a word, as a desktop without one shows no program's.
namespace DesktopNotifications {

// The summary and body as the service shows them: the site first, and the page's words as
// plain text, as a service may read markup in a body.
struct Shown
{
    QString summary;
    QString body;
};
Shown shown(const QWebEngineNotification &notification);

void present(std::unique_ptr<QWebEngineNotification> notification);

} // namespace DesktopNotifications

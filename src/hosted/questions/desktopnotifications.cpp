#include "hosted/questions/desktopnotifications.h"

#include "common/site.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>
#include <QWebEngineNotification>

namespace DesktopNotifications {

Shown shown(const QWebEngineNotification &notification)
{
    const auto site = Site::of(notification.origin());
    const QString name = site ? site->shown() : QObject::tr("A page");
    const QString title = notification.title().simplified();
    return { title.isEmpty() ? name : name + u": " + title,
        notification.message().toHtmlEscaped() };
}

void present(std::unique_ptr<QWebEngineNotification> notification)
{
    const Shown text = shown(*notification);
    QDBusMessage notify
        = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
            QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    notify << QStringLiteral("Tessarvine") << 0u << QString() << text.summary << text.body
           << QStringList() << QVariantMap() << -1;
    // Not waited for: the service answers when it likes, and the page goes on.
    QDBusConnection::sessionBus().send(notify);
    notification->show();
}

} // namespace DesktopNotifications

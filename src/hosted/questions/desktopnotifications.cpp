#include "hosted/questions/desktopnotifications.h"

#include <QDateTime>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>
#include <QWebEngineNotification>

namespace DesktopNotifications {

Shown shown(const QUrl &origin, const QString &title, const QString &message)
{
    const auto site = Site::of(origin);
    const QString name = site ? site->shown() : QObject::tr("A page");
    const QString heading = title.simplified();
    return { (heading.isEmpty() ? name : name + u": " + heading).toHtmlEscaped(),
        message.toHtmlEscaped() };
}

bool Flood::allow(const Site &site, qint64 nowMs)
{
    std::deque<qint64> &times = m_shown[site];
    while (!times.empty() && nowMs - times.front() >= windowMs)
        times.pop_front();
    if (static_cast<int>(times.size()) >= most)
        return false;
    times.push_back(nowMs);
    return true;
}

} // namespace DesktopNotifications

void DesktopNotifier::present(std::unique_ptr<QWebEngineNotification> notification)
{
    const auto site = Site::of(notification->origin());
    if (!site || !m_flood.allow(*site, QDateTime::currentMSecsSinceEpoch()))
        return;
    const auto text = DesktopNotifications::shown(
        notification->origin(), notification->title(), notification->message());
    // A tag names one notification of its site: a new one with it replaces the old.
    const QString key
        = notification->tag().isEmpty() ? QString() : site->shown() + u'\n' + notification->tag();
    QDBusMessage notify
        = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
            QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    notify << QStringLiteral("Tessarvine") << m_ids.value(key, 0u) << QString() << text.summary
           << text.body << QStringList() << QVariantMap() << -1;
    // Not waited for: the service answers when it likes, and the page goes on.
    auto *reply
        = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(notify), this);
    connect(reply, &QDBusPendingCallWatcher::finished, this,
        [this, key](QDBusPendingCallWatcher *call) {
            const QDBusPendingReply<uint> id = *call;
            if (!key.isEmpty() && id.isValid() && m_ids.size() < 1000)
                m_ids.insert(key, id.value());
            call->deleteLater();
        });
    notification->show();
}

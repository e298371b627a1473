#include "common/site.h"

#include "common/hostnames.h"

#include <QUrl>

namespace {

int defaultPort(const QString &scheme)
{
    if (scheme == u"https" || scheme == u"wss")
        return 443;
    if (scheme == u"http" || scheme == u"ws")
        return 80;
    if (scheme == u"ftp")
        return 21;
    return -1;
}

} // namespace

Site::Site(QString scheme, QString host, int port)
    : m_scheme(std::move(scheme))
    , m_host(std::move(host))
    , m_port(port)
{ }

std::optional<Site> Site::of(const QUrl &address)
{
    const QString scheme = address.scheme().toLower();
    if (scheme == u"blob")
        return of(QUrl(address.path()));
    const int port = defaultPort(scheme);
    if (!address.isValid() || port < 0 || address.host().isEmpty())
        return std::nullopt;
    return Site(scheme, address.host(QUrl::FullyEncoded).toLower(), address.port(port));
}

QString Site::shown() const
{
    // An IPv6 address is bracketed, as in an address, so that its port reads as one.
    const QString host = m_host.contains(u':') ? u'[' + m_host + u']' : HostNames::shown(m_host);
    QString text = m_scheme == u"https" ? host : m_scheme + u"://" + host;
    if (m_port != defaultPort(m_scheme))
        text += u':' + QString::number(m_port);
    return text;
}

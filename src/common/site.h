#pragma once

#include <optional>
#include <QHashFunctions>
#include <QString>
#include <tuple>

class QUrl;

// Where an address belongs, as the same-site rules of the browser see it: its scheme, host
// and port. Logins, permission answers, download routes and the full-screen notice all
// compare and name sites by this one value.
class Site
{
public:
    // The site of an address; none for an address without a host of the web (file:, data:,
    // about:, a sandboxed frame's opaque origin). A blob's site is its maker's.
    static std::optional<Site> of(const QUrl &address);

    // What the window shows for it: the host as every place shows hosts (HostNames), the
    // scheme too when it is not https, and the port only when it is not the scheme's own
    // ("example.org", "http://example.org:8080").
    QString shown() const;

    const QString &scheme() const { return m_scheme; }
    const QString &host() const { return m_host; }
    int port() const { return m_port; }

    friend bool operator==(const Site &, const Site &) = default;
    friend bool operator<(const Site &one, const Site &other)
    {
        return std::tie(one.m_scheme, one.m_host, one.m_port)
            < std::tie(other.m_scheme, other.m_host, other.m_port);
    }
    friend size_t qHash(const Site &site, size_t seed = 0)
    {
        return qHashMulti(seed, site.m_scheme, site.m_host, site.m_port);
    }

private:
    Site(QString scheme, QString host, int port);

    QString m_scheme;
    QString m_host; // in its ASCII form (xn--...), lower case
    int m_port; // the scheme's own when the address names none
};

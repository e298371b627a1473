#pragma once

#include <optional>
#include <QString>

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

    // What the window shows for it: the host as the address box shows it, the scheme too
    // when it is not https, and the port only when it is not the scheme's own
    // ("example.org", "http://example.org:8080").
    QString shown() const;

    const QString &scheme() const { return m_scheme; }
    const QString &host() const { return m_host; }
    int port() const { return m_port; }

    friend bool operator==(const Site &, const Site &) = default;

private:
    Site(QString scheme, QString host, int port);

    QString m_scheme;
    QString m_host; // as the address box shows it, lower case
    int m_port; // the scheme's own when the address names none
};

// The same site, where both addresses have one.
bool sameSite(const QUrl &one, const QUrl &other);

#include "hosted/pagerules.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QUrl>
#include <sys/stat.h>

namespace PageRules {

namespace {

QString text(const char *why)
{
    return QCoreApplication::translate("PageRules", why);
}

// Addresses of the engine's own: its pages for debugging crash, hang or freeze it.
bool enginesOwn(const QUrl &url)
{
    static const char *const schemes[] = { "chrome", "chrome-untrusted", "chrome-error",
        "chrome-search", "chrome-extension", "devtools", "view-source", "qrc" };
    const QString scheme = url.scheme().toLower();
    for (const char *own : schemes)
        if (scheme == QLatin1String(own))
            return true;
    return scheme == u"about" && url.path() != u"blank";
}

int defaultPort(const QUrl &url)
{
    return url.scheme() == u"https" ? 443 : url.scheme() == u"http" ? 80 : -1;
}

} // namespace

std::optional<Refusal> refusal(const QUrl &url)
{
    const bool needsHost = url.scheme() == u"http" || url.scheme() == u"https";
    if (!url.isValid() || (needsHost && url.host().isEmpty()))
        return Refusal { invalidAddress, text("This address names no page") };
    if (url.scheme().compare(u"javascript", Qt::CaseInsensitive) == 0)
        return Refusal { refusedAddress, text("A script typed as an address is not run") };
    if (enginesOwn(url))
        return Refusal { refusedAddress, text("Addresses of the web engine's own are not opened") };
    if (isSpecialFile(url))
        return Refusal { refusedAddress, text("Only files and folders are opened") };
    return std::nullopt;
}

std::optional<Refusal> givenRefusal(const QString &address)
{
    if (address.size() > longestAddress)
        return Refusal { refusedAddress, text("The address is too long for the address box") };
    if (address.isEmpty())
        return std::nullopt;
    return refusal(QUrl::fromUserInput(address));
}

bool isSpecialFile(const QUrl &url)
{
    struct stat entry;
    return url.isLocalFile()
        && ::stat(QFile::encodeName(url.toLocalFile()).constData(), &entry) == 0
        && !S_ISREG(entry.st_mode) && !S_ISDIR(entry.st_mode);
}

bool maySignIn(const QUrl &request, const QUrl &page)
{
    return request.isValid() && page.isValid() && !request.host().isEmpty()
        && request.scheme().compare(page.scheme(), Qt::CaseInsensitive) == 0
        && request.host().compare(page.host(), Qt::CaseInsensitive) == 0
        && request.port(defaultPort(request)) == page.port(defaultPort(page));
}

QString siteName(const QUrl &url)
{
    const int port = url.port();
    return port < 0 || port == defaultPort(url) ? url.host()
                                                : url.host() + u':' + QString::number(port);
}

bool isStandInTitle(const QString &title, const QUrl &address)
{
    if (title.isEmpty() || address.isEmpty())
        return false;
    if (address.isLocalFile() && title == address.fileName())
        return true;
    const auto plain = [](const QUrl &url) {
        return url.adjusted(QUrl::StripTrailingSlash | QUrl::NormalizePathSegments);
    };
    return title == address.toString() || title == address.toDisplayString()
        || plain(QUrl::fromUserInput(title)) == plain(address);
}

} // namespace PageRules

#include "common/pagerules.h"

#include "common/site.h"

#include <QCoreApplication>
#include <QDir>
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

// A local address's host: the engine reads the path of file://localhost/x and of
// file://127.0.0.1/x alike as /x, so only no host and "localhost" say what they mean.
bool namesThisComputer(const QUrl &url)
{
    return url.host().isEmpty() || url.host().compare(u"localhost", Qt::CaseInsensitive) == 0;
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
    if (url.isLocalFile() && !namesThisComputer(url))
        return Refusal { refusedAddress, text("Files of another computer are not opened") };
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
    // The path as the engine opens it: toLocalFile() would keep a host ("//localhost/x"),
    // and the system would look for "/nope/../x" through a folder that is not there, while
    // the engine resolves the dots (encoded ones too) and opens a FIFO all the same.
    if (!url.isLocalFile())
        return false;
    const QString path = QDir::cleanPath(u'/' + url.path(QUrl::FullyDecoded));
    struct stat entry;
    return ::stat(QFile::encodeName(path).constData(), &entry) == 0 && !S_ISREG(entry.st_mode)
        && !S_ISDIR(entry.st_mode);
}

bool mayReadLocal(const QUrl &url)
{
    return !url.isLocalFile() || (namesThisComputer(url) && !isSpecialFile(url));
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

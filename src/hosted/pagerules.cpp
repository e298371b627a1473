#include "hosted/pagerules.h"

#include <QString>
#include <QUrl>

namespace PageRules {

std::optional<int> refusal(const QUrl &url)
{
    const bool needsHost = url.scheme() == u"http" || url.scheme() == u"https";
    if (!url.isValid() || (needsHost && url.host().isEmpty()))
        return invalidAddress;
    if (url.scheme().compare(u"javascript", Qt::CaseInsensitive) == 0)
        return refusedAddress;
    return std::nullopt;
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

// The pure rule of the search tab: the search address.
#include "tab_header/search.h"

#include <QUrl>

QString searchAddress(const QString &serviceBase, const QString &text)
{
    return serviceBase + QStringLiteral("/search?hl=en&q=")
        + QString::fromLatin1(QUrl::toPercentEncoding(text));
}

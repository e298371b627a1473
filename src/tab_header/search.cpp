// The pure rules of the search tab: the search address and ChrCount.
#include "tab_header/search.h"

#include <QUrl>

QString searchAddress(const QString &serviceBase, const QString &text)
{
    return serviceBase + QStringLiteral("/search?hl=en&q=")
        + QString::fromLatin1(QUrl::toPercentEncoding(text));
}

qint32 ChrCount(
    const QString &strStringToSearch, const QString &strChrToCount, bool blnCaseSensitive)
{
    if (strChrToCount.isEmpty())
        return 0;
    const Qt::CaseSensitivity cs = blnCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    qint64 removed = 0;
    qsizetype from = 0;
    while ((from = strStringToSearch.indexOf(strChrToCount, from, cs)) >= 0) {
        removed += strChrToCount.size();
        from += strChrToCount.size();
    }
    return static_cast<qint32>(removed);
}

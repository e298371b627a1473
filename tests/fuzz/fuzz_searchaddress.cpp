// Builds search addresses from arbitrary text: the address always has exactly the fixed
// parameters, and the search text comes back out of it unchanged.
#include "tab_header/search.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <QUrl>
#include <QUrlQuery>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString base = QStringLiteral("http://search.test");
    const QString address = searchAddress(base, text);
    if (!address.startsWith(base + QStringLiteral("/search?hl=en&q=")))
        std::abort();
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.host() != u"search.test" || url.path() != u"/search")
        std::abort();
    const QUrlQuery query(url);
    const auto items = query.queryItems(QUrl::FullyDecoded);
    if (items.size() != 2 || items.at(0) != qMakePair(QStringLiteral("hl"), QStringLiteral("en"))
        || items.at(1).first != u"q")
        std::abort();
    // The text survives the trip, except for what UTF-8 cannot carry (lone surrogates, which
    // Qt's decoder lets through) and noncharacters, which come back as U+FFFD.
    const bool plain = std::none_of(text.begin(), text.end(),
        [](QChar c) { return c.isSurrogate() || QChar::isNonCharacter(c.unicode()); });
    if (plain && items.at(1).second != text)
        std::abort();
    if (items.at(1).second.size() < text.size() / 2)
        std::abort();
    return 0;
}

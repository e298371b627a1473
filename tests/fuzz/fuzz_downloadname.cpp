// Download names from random bytes: the result is a plain, short, visible file name.
#include "common/downloadnames.h"

#include <cstdint>
#include <cstdlib>
#include <QString>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString suggested
        = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString name = DownloadNames::visible(suggested);
    const QByteArray bytes = name.toUtf8();
    if (name.isEmpty() || bytes.size() > DownloadNames::maxBytes || name.contains(u'/')
        || name.startsWith(u'.') || name == u"..")
        std::abort();
    for (const QChar c : name) {
        const auto category = c.category();
        if (category == QChar::Other_Control || category == QChar::Other_Format
            || category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
            std::abort();
        if (c.isSurrogate() && QString(c).toUtf8() == QByteArray("\xef\xbf\xbd"))
            std::abort(); // half of a pair, alone
    }
    if (QString::fromUtf8(bytes) != name)
        std::abort(); // it survives being written as a file name and read back
    return 0;
}

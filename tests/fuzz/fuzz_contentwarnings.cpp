// Screens arbitrary text with every keyword list: never crashes, and what it returns
// always comes from the lists.
#include "page_events/contentwarnings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Half the inputs as UTF-8, half as raw UTF-16 (lone surrogates included).
    const QString text = size % 2
        ? QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size))
        : QString(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    using ContentWarnings::Source;
    for (const Source source : { Source::StatusText, Source::Title, Source::Address }) {
        const auto warnings = ContentWarnings::screen(source, text);
        if (warnings.size() > 5)
            std::abort();
        for (const auto &warning : warnings) {
            const bool known = warning.message == ContentWarnings::adultMessage
                || warning.message == ContentWarnings::virusMessage;
            const bool virusFromAddress
                = source == Source::Address && warning.message == ContentWarnings::virusMessage;
            if (!known || virusFromAddress)
                std::abort();
            if (warning.title && *warning.title != ContentWarnings::titleText)
                std::abort();
        }
        if (text.isEmpty() && !warnings.empty())
            std::abort();
    }
    return 0;
}

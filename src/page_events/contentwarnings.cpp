#include "page_events/contentwarnings.h"

#include <array>
#include <span>

namespace ContentWarnings {

namespace {

enum class Message { Adult, Virus };

struct Rule
{
    QStringView keyword;
    bool setsTitle;
    Message message;
};

constexpr std::array statusRules {
    Rule { u"erotic", true, Message::Adult },
    Rule { u"sex", true, Message::Adult },
    Rule { u"porn", true, Message::Adult },
    Rule { u"fuck", true, Message::Adult },
    Rule { u"virus", true, Message::Virus },
};

constexpr std::array titleRules {
    Rule { u"erotic", false, Message::Adult },
    Rule { u"porn", false, Message::Adult },
    Rule { u"virus", false, Message::Virus },
    Rule { u"sex", false, Message::Adult },
    Rule { u"fuck", false, Message::Adult },
};

// An address never raises the virus message: that list has no "virus" rule.
constexpr std::array addressRules {
    Rule { u"erotic", false, Message::Adult },
    Rule { u"sex", true, Message::Adult },
    Rule { u"porn", true, Message::Adult },
    Rule { u"fuck", true, Message::Adult },
};

std::span<const Rule> rulesFor(Source source)
{
    switch (source) {
    case Source::StatusText:
        return statusRules;
    case Source::Title:
        return titleRules;
    case Source::Address:
        return addressRules;
    }
    return {};
}

} // namespace

std::vector<Warning> screen(Source source, const QString &text)
{
    std::vector<Warning> warnings;
    if (text.isEmpty())
        return warnings;
    for (const Rule &rule : rulesFor(source)) {
        if (!text.contains(rule.keyword, Qt::CaseSensitive))
            continue;
        warnings.push_back({ rule.setsTitle ? std::optional<QString>(titleText) : std::nullopt,
            rule.message == Message::Virus ? virusMessage : adultMessage });
    }
    return warnings;
}

} // namespace ContentWarnings

#include "filters/rules.h"

#include "filters/ascii.h"

#include <algorithm>
#include <array>
#include <utility>

namespace Filters {

namespace {

std::string lower(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        c = toLower(c);
    return out;
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> split(std::string_view text, char by)
{
    std::vector<std::string_view> parts;
    for (std::size_t at = 0;;) {
        const std::size_t next = text.find(by, at);
        parts.push_back(text.substr(at, next == std::string_view::npos ? next : next - at));
        if (next == std::string_view::npos)
            return parts;
        at = next + 1;
    }
}

// "a.com|~b.com" (network) or "a.com,~b.com" (hiding) into the two lists.
bool readDomains(std::string_view list, char by, std::vector<std::string> &domains,
    std::vector<std::string> &notDomains)
{
    for (std::string_view one : split(list, by)) {
        one = trim(one);
        const bool negated = !one.empty() && one.front() == '~';
        if (negated)
            one.remove_prefix(1);
        // An entity ("google.*") or an empty name is not a host this engine can compare.
        if (one.empty() || one.back() == '*' || one.find('/') != std::string_view::npos)
            return false;
        (negated ? notDomains : domains).push_back(lower(one));
    }
    return true;
}

struct KindName
{
    std::string_view name;
    std::uint32_t kind;
};
constexpr std::array kindNames {
    KindName { "script", Script },
    KindName { "image", Image },
    KindName { "stylesheet", Stylesheet },
    KindName { "css", Stylesheet },
    KindName { "xmlhttprequest", XmlHttpRequest },
    KindName { "xhr", XmlHttpRequest },
    KindName { "subdocument", Subdocument },
    KindName { "frame", Subdocument },
    KindName { "media", Media },
    KindName { "font", Font },
    KindName { "websocket", Websocket },
    KindName { "ping", Ping },
    KindName { "beacon", Ping },
    KindName { "object", Object },
    KindName { "other", Other },
    KindName { "document", Document },
    KindName { "doc", Document },
    KindName { "popup", Popup },
    KindName { "elemhide", ElementHide },
    KindName { "ehide", ElementHide },
    KindName { "generichide", GenericHide },
    KindName { "ghide", GenericHide },
};

// The options after '$'; false for one this engine does not honour.
bool readOptions(std::string_view options, NetworkRule &rule)
{
    std::uint32_t named = 0;
    std::uint32_t negated = 0;
    for (std::string_view option : split(options, ',')) {
        option = trim(option);
        const std::size_t equals = option.find('=');
        const std::string name = lower(option.substr(0, equals));
        const std::string_view value
            = equals == std::string_view::npos ? std::string_view() : option.substr(equals + 1);
        if (name == "third-party" || name == "3p" || name == "~first-party" || name == "~1p")
            rule.party = Party::Third;
        else if (name == "~third-party" || name == "~3p" || name == "first-party" || name == "1p")
            rule.party = Party::First;
        else if (name == "domain" || name == "from") {
            if (!readDomains(value, '|', rule.domains, rule.notDomains))
                return false;
        } else if (name == "match-case")
            rule.matchCase = true;
        else if (name == "important")
            rule.important = true;
        else {
            const bool not_ = !name.empty() && name.front() == '~';
            const std::string_view bare = std::string_view(name).substr(not_ ? 1 : 0);
            const auto kind = std::find_if(kindNames.begin(), kindNames.end(),
                [bare](const KindName &one) { return one.name == bare; });
            if (kind == kindNames.end())
                return false; // $redirect, $csp, $removeparam, $rewrite, $badfilter, ...
            (not_ ? negated : named) |= kind->kind;
        }
    }
    if (named)
        rule.kinds = named;
    if (negated)
        rule.kinds = (named ? named : contentKinds) & ~negated;
    return rule.kinds != 0;
}

// A /regex/ rule: only a plain expression, bounded in length, with no construct that can
// take exponential time in std::regex.
bool readExpression(std::string_view body, NetworkRule &rule)
{
    if (body.size() > 256 || body.find("(?") != std::string_view::npos)
        return false;
    // std::regex backtracks: quantifiers one after another, a repeated group, or many of
    // them can take exponential time, on a page's address or already in compiling.
    const auto quantifier = [](char c) { return c == '*' || c == '+' || c == '?' || c == '{'; };
    int quantifiers = 0;
    for (std::size_t at = 0; at < body.size(); ++at) {
        const char c = body[at];
        const char next = at + 1 < body.size() ? body[at + 1] : '\0';
        if (c == '\\') {
            if (isDigit(next))
                return false; // a back reference
            ++at;
            continue;
        }
        if (c == ')' && (next == '+' || next == '*' || next == '{'))
            return false; // a repeated group
        if (quantifier(c) && (++quantifiers > 8 || (quantifier(next) && next != '?')))
            return false;
        if (c == '\0')
            return false;
    }
    try {
        auto flags = std::regex::ECMAScript | std::regex::optimize;
        if (!rule.matchCase)
            flags |= std::regex::icase;
        rule.regex = std::make_shared<const std::regex>(std::string(body), flags);
    } catch (const std::regex_error &) {
        return false;
    }
    rule.pattern = lower(body);
    return true;
}

Parsed parseNetwork(std::string_view line)
{
    Parsed parsed;
    NetworkRule &rule = parsed.network;
    if (line.substr(0, 2) == "@@") {
        rule.exception = true;
        line.remove_prefix(2);
    }
    // Options start at the last '$' that is not part of a regex's body.
    const bool expression = line.size() > 2 && line.front() == '/';
    std::size_t dollar = line.rfind('$');
    if (expression && dollar != std::string_view::npos && line.rfind('/') > dollar)
        dollar = std::string_view::npos;
    if (dollar != std::string_view::npos) {
        if (!readOptions(line.substr(dollar + 1), rule)) {
            parsed.what = Parsed::What::Skipped;
            return parsed;
        }
        line = line.substr(0, dollar);
    }
    parsed.what = Parsed::What::Network;
    if (line.size() > 2 && line.front() == '/' && line.back() == '/') {
        if (!readExpression(line.substr(1, line.size() - 2), rule))
            parsed.what = Parsed::What::Skipped;
        return parsed;
    }
    if (line.substr(0, 2) == "||") {
        rule.hostAnchor = true;
        line.remove_prefix(2);
    } else if (!line.empty() && line.front() == '|') {
        rule.startAnchor = true;
        line.remove_prefix(1);
    }
    if (!line.empty() && line.back() == '|') {
        rule.endAnchor = true;
        line.remove_suffix(1);
    }
    // Leading and trailing '*' say nothing.
    while (!line.empty() && line.front() == '*' && !rule.hostAnchor && !rule.startAnchor)
        line.remove_prefix(1);
    while (!line.empty() && line.back() == '*' && !rule.endAnchor)
        line.remove_suffix(1);
    rule.pattern = rule.matchCase ? std::string(line) : lower(line);
    // A rule that matches every address would block the web.
    if (rule.pattern.empty() && rule.domains.empty() && !rule.exception)
        parsed.what = Parsed::What::Skipped;
    return parsed;
}

Parsed parseHiding(std::string_view line, std::size_t at, std::size_t markLength, bool exception)
{
    Parsed parsed;
    const std::string_view selector = trim(line.substr(at + markLength));
    // Scriptlets (##+js), HTML filters (##^), procedural selectors: not a stylesheet's.
    if (selector.empty() || selector.front() == '+' || selector.front() == '^'
        || selector.find(":-abp-") != std::string_view::npos
        || selector.find(":has-text(") != std::string_view::npos
        || selector.find(":xpath(") != std::string_view::npos
        || selector.find(":style(") != std::string_view::npos
        || selector.find(":remove(") != std::string_view::npos
        || selector.find(":upward(") != std::string_view::npos
        || selector.find(":matches-") != std::string_view::npos
        || selector.find('{') != std::string_view::npos) {
        parsed.what = Parsed::What::Skipped;
        return parsed;
    }
    HidingRule &rule = parsed.hiding;
    rule.exception = exception;
    rule.selector = std::string(selector);
    if (at > 0 && !readDomains(line.substr(0, at), ',', rule.domains, rule.notDomains)) {
        parsed.what = Parsed::What::Skipped;
        return parsed;
    }
    parsed.what = Parsed::What::Hiding;
    return parsed;
}

} // namespace

Parsed parseLine(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() == '!' || line.front() == '[')
        return {};
    // Snippets, procedural and style injections of other dialects.
    for (const std::string_view other : { "#?#", "#$#", "#@?#", "#@$#", "#%#", "$$" }) {
        if (line.find(other) != std::string_view::npos) {
            Parsed skipped;
            skipped.what = Parsed::What::Skipped;
            return skipped;
        }
    }
    if (const std::size_t at = line.find("#@#"); at != std::string_view::npos)
        return parseHiding(line, at, 3, true);
    if (const std::size_t at = line.find("##"); at != std::string_view::npos)
        return parseHiding(line, at, 2, false);
    return parseNetwork(line);
}

} // namespace Filters

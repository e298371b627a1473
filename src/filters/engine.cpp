#include "filters/engine.h"

#include "filters/ascii.h"

#include <algorithm>

namespace Filters {

namespace {

bool isTokenChar(char c)
{
    return isAlnum(c) || c == '%';
}

// '^': anything but a letter, a digit or one of _ - . %; the address's end matches too.
bool isSeparator(char c)
{
    return !(isAlnum(c) || c == '_' || c == '-' || c == '.' || c == '%');
}

// The pattern against the address from position at: '*' any run, '^' one separator or the
// end. end: the pattern must reach the address's end.
// floating: the pattern may start anywhere from at on, as if it began with '*'; one pass,
// so that an address a page makes long costs its length times the pattern's, never more.
bool globAt(std::string_view pattern, std::string_view text, std::size_t at, bool end,
    bool floating = false)
{
    constexpr std::size_t none = std::string_view::npos;
    std::size_t p = 0;
    std::size_t star = floating ? 0 : none;
    std::size_t mark = at;
    for (;;) {
        if (p < pattern.size()) {
            const char c = pattern[p];
            if (c == '*') {
                star = ++p;
                mark = at;
                continue;
            }
            if (at < text.size() && (c == '^' ? isSeparator(text[at]) : c == text[at])) {
                ++p;
                ++at;
                continue;
            }
            if (c == '^' && at == text.size()) {
                ++p;
                continue;
            }
        } else if (!end || at == text.size()) {
            return true;
        }
        if (star == none || mark >= text.size())
            return false;
        p = star;
        at = ++mark;
    }
}

// The literal run a pattern starts with, to find where it may match.
std::string_view leadingLiteral(std::string_view pattern)
{
    const std::size_t stop = pattern.find_first_of("*^");
    return pattern.substr(0, stop);
}

// The host and each of its parents: a.b.example.com, b.example.com, example.com, com.
template <typename Each> void forHostAndParents(std::string_view host, Each each)
{
    for (;;) {
        each(host);
        const std::size_t dot = host.find('.');
        if (dot == std::string_view::npos)
            return;
        host.remove_prefix(dot + 1);
    }
}

// Whether the host, or a parent of it, is on the list, which finish() sorted: a rule may
// name hundreds of sites, and a request is compared with it by a few look-ups.
bool onDomainList(std::string_view host, const std::vector<std::string> &list)
{
    bool found = false;
    forHostAndParents(host, [&](std::string_view domain) {
        found = found
            || std::binary_search(list.begin(), list.end(), domain,
                [](std::string_view a, std::string_view b) { return a < b; });
    });
    return found;
}

// Each run of token characters in the text, as [at, stop), until each() says it is done;
// whether it did.
template <typename Each> bool forTokenRuns(std::string_view text, Each each)
{
    for (std::size_t at = 0; at < text.size();) {
        if (!isTokenChar(text[at])) {
            ++at;
            continue;
        }
        std::size_t stop = at;
        while (stop < text.size() && isTokenChar(text[stop]))
            ++stop;
        if (each(at, stop))
            return true;
        at = stop;
    }
    return false;
}

// The literal runs of an expression that stand whole in every address it matches: between
// characters it names outright that cannot be part of a token, outside classes, and never
// before a quantifier. An expression with alternatives has none to rely on.
std::vector<std::string_view> expressionTokens(std::string_view source)
{
    std::vector<std::string_view> tokens;
    if (source.find('|') != std::string_view::npos)
        return tokens;
    bool heldBefore = false; // the character before a run is known not to be a token's
    for (std::size_t at = 0; at < source.size();) {
        const char c = source[at];
        if (c == '[') {
            at = source.find(']', at);
            at = at == std::string_view::npos ? source.size() : at + 1;
            heldBefore = false;
        } else if (c == '\\' && at + 1 < source.size()) {
            const char escaped = source[at + 1];
            heldBefore = !isAlnum(escaped) && escaped != '%';
            at += 2;
        } else if (isAlnum(c)) {
            std::size_t stop = at;
            while (stop < source.size() && isAlnum(source[stop]))
                ++stop;
            const char next = stop < source.size() ? source[stop] : '\0';
            const std::size_t width = next == '\\' ? 2 : 1;
            // The character after may itself be optional ("\\.*"): then it holds nothing.
            const bool optional = stop + width < source.size()
                && std::string_view("*?{").find(source[stop + width]) != std::string_view::npos;
            const bool heldAfter = next == '$'
                || (!optional
                    && ((next == '\\' && stop + 1 < source.size() && !isAlnum(source[stop + 1]))
                        || next == '/' || next == '-' || next == '_' || next == '='
                        || next == '&'));
            if (heldBefore && heldAfter && stop - at >= 2)
                tokens.push_back(source.substr(at, stop - at));
            heldBefore = false;
            at = stop;
        } else {
            heldBefore = c == '^' || c == '/' || c == '-' || c == '_' || c == '=' || c == '&';
            ++at;
        }
    }
    return tokens;
}

// The tokens a rule can be found by: runs of letters and digits that stand whole in every
// address it matches (not against a '*', and at an edge only where an anchor holds them).
std::vector<std::string_view> usableTokens(const NetworkRule &rule)
{
    std::vector<std::string_view> tokens;
    if (rule.regex)
        return rule.matchCase ? tokens : expressionTokens(rule.pattern);
    const std::string_view pattern = rule.pattern;
    forTokenRuns(pattern, [&](std::size_t at, std::size_t stop) {
        const bool startHeld
            = at == 0 ? (rule.hostAnchor || rule.startAnchor) : pattern[at - 1] != '*';
        const bool endHeld = stop == pattern.size() ? rule.endAnchor : pattern[stop] != '*';
        if (startHeld && endHeld && stop - at >= 2)
            tokens.push_back(pattern.substr(at, stop - at));
        return false;
    });
    return tokens;
}

// A hiding rule that is one class or one id and nothing more: ".ad-box", "#ad-banner".
bool isLoneName(std::string_view selector)
{
    if (selector.size() < 2 || (selector.front() != '.' && selector.front() != '#'))
        return false;
    return std::all_of(selector.begin() + 1, selector.end(),
        [](char c) { return isAlnum(c) || c == '_' || c == '-'; });
}

// A plain host rule: ||host^ with nothing but letters, digits, dots and hyphens.
bool isHostRule(const NetworkRule &rule, std::string_view &host)
{
    if (!rule.hostAnchor || rule.regex || rule.endAnchor)
        return false;
    std::string_view pattern = rule.pattern;
    if (!pattern.empty() && pattern.back() == '^')
        pattern.remove_suffix(1);
    if (pattern.empty())
        return false;
    for (const char c : pattern) {
        if (!(isAlnum(c) || c == '.' || c == '-'))
            return false;
    }
    host = pattern;
    return true;
}

} // namespace

void Engine::add(std::string_view listText)
{
    // About one line in two is a host, some 40 characters a line: one rehash at most.
    m_blocking.bareHosts.reserve(m_blocking.bareHosts.size() + listText.size() / 64);
    std::size_t at = 0;
    while (at < listText.size()) {
        std::size_t end = listText.find('\n', at);
        if (end == std::string_view::npos)
            end = listText.size();
        const std::string_view line = listText.substr(at, end - at);
        at = end + 1;
        if (addPlainHost(line))
            continue;
        Parsed parsed = parseLine(line);
        switch (parsed.what) {
        case Parsed::What::Network:
            m_network.push_back(std::move(parsed.network));
            ++m_counts.network;
            break;
        case Parsed::What::Hiding:
            // Chromium 102 knows no :has(): such a rule would only be dropped by it.
            if (parsed.hiding.selector.find(":has(") != std::string::npos) {
                ++m_counts.skipped;
                break;
            }
            m_hiding.push_back(std::move(parsed.hiding));
            ++m_counts.hiding;
            break;
        case Parsed::What::Skipped:
            ++m_counts.skipped;
            break;
        case Parsed::What::Nothing:
            break;
        }
    }
}

bool Engine::addPlainHost(std::string_view line)
{
    const bool exception = line.starts_with("@@");
    if (exception)
        line.remove_prefix(2);
    if (!line.starts_with("||"))
        return false;
    line.remove_prefix(2);
    const std::size_t caret = line.find('^');
    if (caret == 0 || caret == std::string_view::npos)
        return false;
    const std::string_view host = line.substr(0, caret);
    const std::string_view options = line.substr(caret + 1);
    if (!options.empty() && options != "$third-party")
        return false;
    for (const char c : host) {
        if (!(isDigit(c) || (c >= 'a' && c <= 'z') || c == '.' || c == '-'))
            return false;
    }
    Index &index = exception ? m_exceptions : m_blocking;
    (options.empty() ? index.bareHosts : index.thirdPartyHosts).insert(host);
    ++m_counts.network;
    return true;
}

void Engine::file(Index &index, std::uint32_t rule,
    const std::unordered_map<std::uint64_t, std::uint32_t> &frequency)
{
    std::string_view host;
    if (isHostRule(m_network[rule], host)) {
        index.hosts[std::string(host)].push_back(rule);
        return;
    }
    const auto tokens = usableTokens(m_network[rule]);
    if (tokens.empty()) {
        index.rest.push_back(rule);
        return;
    }
    const auto rarest = std::min_element(
        tokens.begin(), tokens.end(), [&frequency](std::string_view a, std::string_view b) {
            return frequency.at(hashOf(a)) < frequency.at(hashOf(b));
        });
    index.tokens[hashOf(*rarest)].push_back(rule);
}

void Engine::keepHostsApart()
{
    const auto plainHost = [](const NetworkRule &rule, std::string_view &host) {
        return isHostRule(rule, host) && rule.kinds == contentKinds && rule.domains.empty()
            && rule.notDomains.empty() && !rule.important && !rule.matchCase
            && rule.party != Party::First;
    };
    std::string_view host;
    // The rest close up in place, in their order.
    std::size_t kept = 0;
    for (NetworkRule &rule : m_network) {
        if (!plainHost(rule, host)) {
            if (&rule != &m_network[kept])
                m_network[kept] = std::move(rule);
            ++kept;
            continue;
        }
        Index &index = rule.exception ? m_exceptions : m_blocking;
        (rule.party == Party::Third ? index.thirdPartyHosts : index.bareHosts).insert(host);
    }
    m_network.erase(m_network.begin() + std::ptrdiff_t(kept), m_network.end());
    m_network.shrink_to_fit();
}

void Engine::finish()
{
    keepHostsApart();
    for (NetworkRule &rule : m_network) {
        std::sort(rule.domains.begin(), rule.domains.end());
        std::sort(rule.notDomains.begin(), rule.notDomains.end());
    }
    for (HidingRule &rule : m_hiding)
        std::sort(rule.notDomains.begin(), rule.notDomains.end());
    std::unordered_map<std::uint64_t, std::uint32_t> frequency;
    for (const NetworkRule &rule : m_network) {
        for (const std::string_view token : usableTokens(rule))
            ++frequency[hashOf(token)];
    }
    for (std::uint32_t rule = 0; rule < m_network.size(); ++rule)
        file(m_network[rule].exception ? m_exceptions : m_blocking, rule, frequency);

    std::unordered_set<std::string> genericExceptions;
    for (const HidingRule &rule : m_hiding) {
        if (rule.exception && rule.domains.empty() && rule.notDomains.empty())
            genericExceptions.insert(rule.selector);
    }
    for (std::uint32_t index = 0; index < m_hiding.size(); ++index) {
        const HidingRule &rule = m_hiding[index];
        if (!rule.domains.empty()) {
            for (const std::string &domain : rule.domains)
                m_hidingByDomain[domain].push_back(index);
        } else if (!rule.exception && !rule.notDomains.empty()) {
            m_hidingWithExclusionsOnly.push_back(index);
        } else if (!rule.exception && !genericExceptions.count(rule.selector)
            && m_genericSelectors.insert(rule.selector).second) {
            if (isLoneName(rule.selector)) {
                m_genericNames.push_back(rule.selector);
                continue;
            }
            m_genericComplex.push_back(rule.selector);
            m_genericCss += rule.selector;
            m_genericCss += "{display:none!important}\n";
        }
    }
}

bool Engine::ruleMatches(const NetworkRule &rule, const Request &request, std::string_view lowered,
    std::string_view hostPart) const
{
    if (!(rule.kinds & request.kind))
        return false;
    if ((rule.party == Party::Third && !request.thirdParty)
        || (rule.party == Party::First && request.thirdParty))
        return false;
    if (!rule.domains.empty() && !onDomainList(request.pageHost, rule.domains))
        return false;
    if (!rule.notDomains.empty() && onDomainList(request.pageHost, rule.notDomains))
        return false;
    const std::string_view text = rule.matchCase ? request.url : lowered;
    if (rule.regex) {
        // Bounded: an expression's time grows with what it reads, and a page names the
        // address.
        const std::string_view bounded = text.substr(0, 1024);
        return std::regex_search(bounded.begin(), bounded.end(), *rule.regex);
    }
    const std::string_view pattern = rule.pattern;
    if (rule.startAnchor)
        return globAt(pattern, text, 0, rule.endAnchor);
    if (rule.hostAnchor) {
        // At the host's start or at one of its labels'.
        const std::size_t hostAt = static_cast<std::size_t>(hostPart.data() - lowered.data());
        for (std::size_t at = 0; at <= hostPart.size(); ++at) {
            if ((at == 0 || hostPart[at - 1] == '.') && at < hostPart.size()
                && globAt(pattern, text, hostAt + at, rule.endAnchor))
                return true;
        }
        return false;
    }
    const std::string_view literal = leadingLiteral(pattern);
    // With a wildcard, in one pass from where its first words first stand, so that a long
    // address of a page's making costs its length times the pattern's, never more.
    if (pattern.find('*') != std::string_view::npos) {
        const std::size_t first = text.find(literal);
        return first != std::string_view::npos
            && globAt(pattern, text, first, rule.endAnchor, true);
    }
    // Without one each try costs the pattern's length: at each place its first words stand.
    for (std::size_t at = 0; at <= text.size(); ++at) {
        if (!literal.empty() && (at = text.find(literal, at)) == std::string_view::npos)
            return false;
        if (globAt(pattern, text, at, rule.endAnchor))
            return true;
    }
    return false;
}

bool Engine::matches(
    const Index &index, const Request &request, std::string_view lowered, bool importantOnly) const
{
    // Where the host stands in the address.
    std::string_view hostPart;
    if (const std::size_t scheme = lowered.find("://"); scheme != std::string_view::npos) {
        const std::size_t start = scheme + 3;
        const std::size_t stop = lowered.find_first_of("/?#:", start);
        hostPart = lowered.substr(start, stop == std::string_view::npos ? stop : stop - start);
    }
    const auto check = [&](const std::vector<std::uint32_t> &rules) {
        for (const std::uint32_t rule : rules) {
            const NetworkRule &one = m_network[rule];
            if ((!importantOnly || one.important) && ruleMatches(one, request, lowered, hostPart))
                return true;
        }
        return false;
    };
    bool found = false;
    forHostAndParents(request.host, [&](std::string_view host) {
        if (found)
            return;
        if (!importantOnly && (request.kind & contentKinds)
            && (index.bareHosts.contains(host)
                || (request.thirdParty && index.thirdPartyHosts.contains(host)))) {
            found = true;
            return;
        }
        if (const auto it = index.hosts.find(host); it != index.hosts.end())
            found = check(it->second);
    });
    if (found)
        return true;
    const bool byToken = forTokenRuns(lowered, [&](std::size_t at, std::size_t stop) {
        const auto it = index.tokens.find(hashOf(lowered.substr(at, stop - at)));
        return it != index.tokens.end() && check(it->second);
    });
    return byToken || check(index.rest);
}

bool Engine::blocks(const Request &request) const
{
    thread_local std::string lowered;
    lowered.assign(request.url);
    for (char &c : lowered)
        c = toLower(c);
    if (!matches(m_blocking, request, lowered, false))
        return false;
    const bool excepted = matches(m_exceptions, request, lowered, false)
        || (!request.pageUrl.empty() && pageExcepted(request.pageUrl, request.pageHost, Document));
    return !excepted || matches(m_blocking, request, lowered, true);
}

bool Engine::pageExcepted(std::string_view pageUrl, std::string_view pageHost, Kind kind) const
{
    std::string lowered(pageUrl);
    for (char &c : lowered)
        c = toLower(c);
    Request page { pageUrl, pageHost, pageUrl, pageHost, kind, false };
    return matches(m_exceptions, page, lowered, false);
}

Engine::Hiding Engine::hiding(std::string_view host, bool generic) const
{
    std::unordered_set<std::string> kept; // exceptions for this host
    std::vector<const HidingRule *> specific;
    forHostAndParents(host, [&](std::string_view domain) {
        const auto it = m_hidingByDomain.find(domain);
        if (it == m_hidingByDomain.end())
            return;
        for (const std::uint32_t index : it->second) {
            const HidingRule &rule = m_hiding[index];
            if (onDomainList(host, rule.notDomains))
                continue;
            if (rule.exception)
                kept.insert(rule.selector);
            else
                specific.push_back(&rule);
        }
    });
    Hiding hiding;
    for (const std::uint32_t index : m_hidingWithExclusionsOnly) {
        if (generic && !onDomainList(host, m_hiding[index].notDomains))
            specific.push_back(&m_hiding[index]);
    }
    for (const HidingRule *rule : specific) {
        if (!kept.count(rule->selector))
            hiding.css += rule->selector + "{display:none!important}\n";
    }
    if (!generic)
        return hiding;
    if (kept.empty()) {
        hiding.css = m_genericCss + hiding.css;
        return hiding;
    }
    for (const std::string &selector : m_genericComplex) {
        if (!kept.count(selector))
            hiding.css += selector + "{display:none!important}\n";
    }
    for (const std::string &selector : kept) {
        if (isLoneName(selector))
            hiding.kept.push_back(selector);
    }
    return hiding;
}

} // namespace Filters

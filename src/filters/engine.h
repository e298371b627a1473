#pragma once

#include "filters/hosttable.h"
#include "filters/rules.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace Filters {

// One request as the matcher sees it.
struct Request
{
    std::string_view url; // the whole address as sent
    std::string_view host; // its host, lower case
    std::string_view pageUrl; // the page that asks (the top document); empty for none
    std::string_view pageHost; // that page's host, lower case
    std::uint32_t kind = Other;
    bool thirdParty = false; // another registrable domain than the page's
};

// The rules of every list read, indexed so that a request is compared with the few rules
// that can match it rather than all of them: plain host rules by the host and its parents,
// the rest by their rarest token, as the fast blockers do. Built once, then only read, so
// it may be read from any thread.
class Engine
{
public:
    struct Counts
    {
        std::size_t network = 0;
        std::size_t hiding = 0;
        std::size_t skipped = 0; // rules this engine does not honour, left out whole
    };

    // Reads a list's text; call finish() once every list is in.
    void add(std::string_view listText);
    void finish();

    // Whether the request is blocked: a blocking rule matches it, and no exception does
    // (an $important rule wins over exceptions), nor a $document exception for its page.
    bool blocks(const Request &request) const;
    // Whether an exception turns something off for a whole page: Document (no blocking),
    // ElementHide (no hiding), GenericHide (no generic hiding).
    bool pageExcepted(std::string_view pageUrl, std::string_view pageHost, Kind kind) const;
    // How the ads of pages on this host are hidden: a style sheet of the site's own rules
    // and of the generic ones that are more than a lone class or id, and the lone class
    // and id rules (".ad-box", "#ad-banner") this host excepts from the generic ones.
    struct Hiding
    {
        std::string css;
        std::vector<std::string> kept;
    };
    Hiding hiding(std::string_view host, bool generic) const;
    // The generic rules that are a lone class or id, with their "." or "#": most of the
    // lists' hiding, which a page applies as its elements show those names, rather than
    // parse thousands of rules for every document.
    const std::vector<std::string> &genericNames() const { return m_genericNames; }
    Counts counts() const { return m_counts; }

private:
    // Looked up by a view of the request's host, without making a string of it.
    struct HostHash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view host) const
        {
            return std::hash<std::string_view> {}(host);
        }
    };
    using ByHost
        = std::unordered_map<std::string, std::vector<std::uint32_t>, HostHash, std::equal_to<>>;
    struct Index
    {
        // ||host^ with no option, or only $third-party: most of the lists, kept as hosts.
        HostTable bareHosts;
        HostTable thirdPartyHosts;
        ByHost hosts;
        std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> tokens;
        std::vector<std::uint32_t> rest; // rules with no token to file them under
    };
    bool matches(const Index &index, const Request &request, std::string_view lowered,
        bool importantOnly) const;
    bool ruleMatches(const NetworkRule &rule, const Request &request, std::string_view lowered,
        std::string_view hostPart) const;
    // ||host^ and ||host^$third-party, most of the lists' lines, written as the parser
    // would leave them: straight into the host sets. False for any other line.
    bool addPlainHost(std::string_view line);
    // Keeps the plain host rules as hosts alone, and the rest as rules.
    void keepHostsApart();
    void file(Index &index, std::uint32_t rule,
        const std::unordered_map<std::uint64_t, std::uint32_t> &frequency);

    std::vector<NetworkRule> m_network;
    Index m_blocking;
    Index m_exceptions;
    std::vector<HidingRule> m_hiding;
    std::string m_genericCss;
    std::unordered_set<std::string> m_genericSelectors;
    // The generic selectors that are more than a lone class or id, as in the sheet.
    std::vector<std::string> m_genericComplex;
    std::vector<std::string> m_genericNames;
    ByHost m_hidingByDomain;
    std::vector<std::uint32_t> m_hidingWithExclusionsOnly;
    Counts m_counts;
};

} // namespace Filters

#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

// Adblock Plus filter syntax, as EasyList and EasyPrivacy write it: the rules a line holds,
// parsed into what the matcher needs. Pure C++, so that it is tested and fuzzed on its own.
namespace Filters {

// What a request is for; a rule names the kinds it applies to as a mask.
enum Kind : std::uint32_t {
    Script = 1u << 0,
    Image = 1u << 1,
    Stylesheet = 1u << 2,
    XmlHttpRequest = 1u << 3,
    Subdocument = 1u << 4,
    Media = 1u << 5,
    Font = 1u << 6,
    Websocket = 1u << 7,
    Ping = 1u << 8,
    Object = 1u << 9,
    Other = 1u << 10,
    // Not requests a page makes for its content: named by a rule outright, never by default.
    Document = 1u << 11,
    Popup = 1u << 12,
    ElementHide = 1u << 13,
    GenericHide = 1u << 14,
};
constexpr std::uint32_t contentKinds = (1u << 11) - 1;

enum class Party : std::uint8_t { Any, First, Third };

// A rule over request addresses: blocking, or an exception (@@).
struct NetworkRule
{
    std::string pattern; // lower case unless matchCase; '*' any run, '^' a separator
    bool hostAnchor = false; // ||: the pattern starts at a host (or a label of it)
    bool startAnchor = false; // |: at the address's start
    bool endAnchor = false; // |: at its end
    bool exception = false;
    bool important = false;
    bool matchCase = false;
    Party party = Party::Any;
    std::uint32_t kinds = contentKinds;
    // $domain=: the page's host, or a parent of it, must be one of these and none of those.
    std::vector<std::string> domains;
    std::vector<std::string> notDomains;
    std::shared_ptr<const std::regex> regex; // a /.../ rule
};

// A rule that hides a page's elements (##), or keeps them shown (#@#).
struct HidingRule
{
    std::string selector;
    std::vector<std::string> domains; // none: every site (generic)
    std::vector<std::string> notDomains;
    bool exception = false;
};

// What one line is: a rule of either kind, nothing (a comment, a blank), or a rule this
// engine does not honour (a scriptlet, a procedural selector, $redirect, $csp, an unknown
// option, an expression too costly), which is skipped whole rather than half applied.
struct Parsed
{
    enum class What { Nothing, Network, Hiding, Skipped };
    What what = What::Nothing;
    NetworkRule network;
    HidingRule hiding;
};
Parsed parseLine(std::string_view line);

} // namespace Filters

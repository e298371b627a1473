#pragma once

#include <optional>

class QString;
class QUrl;

// Rules of the page view that need no engine.
namespace PageRules {

// The engine's own error codes the view reports for an address it does not load.
inline constexpr int invalidAddress = -300; // net::ERR_INVALID_URL
inline constexpr int refusedAddress = -301; // net::ERR_DISALLOWED_URL_SCHEME

// Why an address, as the view resolved it, is not loaded: a web address without a host
// (which the engine would drop without a word), or a script typed into the address box
// (which would run with the page's rights). Nothing when it may be loaded.
std::optional<int> refusal(const QUrl &url);

// Whether a title is the engine's rendering of an address ("host/path", without "http://";
// a local file's name) rather than a title of the page's own.
bool isStandInTitle(const QString &title, const QUrl &address);

} // namespace PageRules

#pragma once

#include <string>
#include <string_view>

namespace Filters {

// The part of a host its owner registered (example.co.uk for a.b.example.co.uk), by the
// public suffix list Debian ships; an address or a bare suffix is its own.
std::string registrableDomain(std::string_view host);
// Whether a request to host is another party's than the page's.
bool isThirdParty(std::string_view host, std::string_view pageHost);

} // namespace Filters

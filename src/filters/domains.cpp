#include "filters/domains.h"

#include <libpsl.h>

namespace Filters {

std::string registrableDomain(std::string_view host)
{
    // The newest list on the system, else the library's own; read once, kept for the run.
    static const psl_ctx_t *const suffixes = [] {
        const psl_ctx_t *latest = psl_latest(nullptr);
        return latest ? latest : psl_builtin();
    }();
    const std::string name(host);
    const char *registered = suffixes ? psl_registrable_domain(suffixes, name.c_str()) : nullptr;
    return registered ? std::string(registered) : name;
}

bool isThirdParty(std::string_view host, std::string_view pageHost)
{
    if (pageHost.empty())
        return true;
    if (host == pageHost)
        return false;
    return registrableDomain(host) != registrableDomain(pageHost);
}

} // namespace Filters

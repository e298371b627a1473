#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Filters {

// FNV-1a: a host's, or a token's, place in a table.
inline std::uint64_t hashOf(std::string_view text)
{
    std::uint64_t hash = 1469598103934665603ull;
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return hash;
}

// A set of host names, as the lists' tens of thousands of host rules fill it: the names
// side by side in one string, and an open-addressed table of where each lies. Built once,
// then only read; a lookup touches one slot in most cases and allocates nothing.
class HostTable
{
public:
    void reserve(std::size_t hosts);
    void insert(std::string_view host);
    bool contains(std::string_view host) const;
    std::size_t size() const { return m_count; }

private:
    struct Slot
    {
        std::uint64_t hash = 0;
        std::uint32_t offset = 0;
        std::uint32_t length = 0; // 0: empty
    };
    const Slot *find(std::string_view host, std::uint64_t hash) const;
    void grow(std::size_t slots);

    std::vector<Slot> m_slots;
    std::string m_names;
    std::size_t m_count = 0;
};

} // namespace Filters

#include "filters/hosttable.h"

#include <bit>
#include <limits>

namespace Filters {

const HostTable::Slot *HostTable::find(std::string_view host, std::uint64_t hash) const
{
    if (m_slots.empty())
        return nullptr;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot &slot = m_slots[at];
        if (slot.length == 0
            || (slot.hash == hash
                && std::string_view(m_names).substr(slot.offset, slot.length) == host))
            return &slot;
    }
}

void HostTable::grow(std::size_t slots)
{
    // At most half full, so that a miss ends soon.
    std::vector<Slot> old(std::bit_ceil(std::max<std::size_t>(slots, 16)));
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot &slot : old) {
        if (slot.length == 0)
            continue;
        std::size_t at = slot.hash & mask;
        while (m_slots[at].length != 0)
            at = (at + 1) & mask;
        m_slots[at] = slot;
    }
}

void HostTable::reserve(std::size_t hosts)
{
    if (hosts * 2 > m_slots.size())
        grow(hosts * 2);
}

void HostTable::insert(std::string_view host)
{
    // An empty name is no host; one the slots cannot place is left out.
    if (host.empty() || host.size() > std::numeric_limits<std::uint32_t>::max()
        || m_names.size() + host.size() > std::numeric_limits<std::uint32_t>::max())
        return;
    if ((m_count + 1) * 2 > m_slots.size())
        grow((m_count + 1) * 4);
    const std::uint64_t hash = hashOf(host);
    auto *slot = const_cast<Slot *>(find(host, hash));
    if (slot->length != 0)
        return;
    *slot = { hash, std::uint32_t(m_names.size()), std::uint32_t(host.size()) };
    m_names += host;
    ++m_count;
}

bool HostTable::contains(std::string_view host) const
{
    const Slot *slot = find(host, hashOf(host));
    return slot && slot->length != 0;
}

} // namespace Filters

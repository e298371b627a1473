#pragma once

#include <deque>
#include <optional>
#include <QString>

// The addresses of the tabs closed last, most recent last, so that a tab closed by mistake
// can be brought back. Kept in memory only, and only the last few.
class ClosedTabs
{
public:
    static constexpr std::size_t kept = 10;

    // A tab that showed nothing leaves nothing to bring back.
    void remember(const QString &address)
    {
        if (address.isEmpty())
            return;
        m_addresses.push_back(address);
        if (m_addresses.size() > kept)
            m_addresses.pop_front();
    }

    std::optional<QString> takeLast()
    {
        if (m_addresses.empty())
            return std::nullopt;
        QString last = std::move(m_addresses.back());
        m_addresses.pop_back();
        return last;
    }

private:
    std::deque<QString> m_addresses;
};

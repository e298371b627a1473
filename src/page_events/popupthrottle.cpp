#include "page_events/popupthrottle.h"

bool PopupThrottle::allow(bool userInitiated, qint64 nowMs)
{
    if (userInitiated)
        return true;
    while (!m_times.empty() && nowMs - m_times.front() >= windowMs)
        m_times.pop_front();
    return static_cast<int>(m_times.size()) < burstLimit
        && static_cast<int>(m_unasked.size()) < openLimit;
}

void PopupThrottle::opened(int tab, bool userInitiated, qint64 nowMs)
{
    if (userInitiated)
        return;
    m_times.push_back(nowMs);
    m_unasked.insert(tab);
}

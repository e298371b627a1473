#include "page_events/popupthrottle.h"

bool PopupThrottle::allow(bool userInitiated, qint64 nowMs, int unaskedOpen)
{
    if (userInitiated)
        return true;
    while (!m_times.empty() && nowMs - m_times.front() >= windowMs)
        m_times.pop_front();
    return static_cast<int>(m_times.size()) < burstLimit && unaskedOpen < openLimit;
}

void PopupThrottle::opened(bool userInitiated, qint64 nowMs)
{
    if (userInitiated)
        return;
    m_times.push_back(nowMs);
}

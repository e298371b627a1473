#include "page_events/popupthrottle.h"

bool PopupThrottle::allow(qint64 nowMs, int unaskedOpen)
{
    while (!m_times.empty() && nowMs - m_times.front() >= windowMs)
        m_times.pop_front();
    return static_cast<int>(m_times.size()) < burstLimit && unaskedOpen < openLimit;
}

void PopupThrottle::opened(qint64 nowMs)
{
    m_times.push_back(nowMs);
}

#include "page_events/popupthrottle.h"

bool PopupThrottle::allow(int tab, qint64 nowMs)
{
    std::deque<qint64> &times = m_opened[tab];
    while (!times.empty() && nowMs - times.front() >= windowMs)
        times.pop_front();
    if (static_cast<int>(times.size()) >= burstLimit)
        return false;
    times.push_back(nowMs);
    return true;
}

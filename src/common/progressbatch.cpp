#include "common/progressbatch.h"

#include <algorithm>
#include <utility>

ProgressBatch::ProgressBatch(QObject *parent)
    : QObject(parent)
{
    m_tick.setSingleShot(true);
    m_tick.setInterval(tickMs);
    connect(&m_tick, &QTimer::timeout, this, [this] {
        for (const Pending &pending : std::exchange(m_pending, {}))
            if (pending.source)
                pending.tell();
    });
}

void ProgressBatch::progressed(QObject *source, std::function<void()> tell)
{
    const bool known = std::any_of(m_pending.cbegin(), m_pending.cend(),
        [source](const Pending &pending) { return pending.source == source; });
    if (!known)
        m_pending.append({ source, std::move(tell) });
    if (!m_tick.isActive())
        m_tick.start();
}

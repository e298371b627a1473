#include "common/download.h"

#include <utility>

namespace {

// The speed is measured over spans of at least this long, so that it reads steadily.
constexpr qint64 speedSpanMs = 1000;

} // namespace

Download::Download(QString name, std::function<void()> cancel, QObject *parent)
    : QObject(parent)
    , m_name(std::move(name))
    , m_cancel(std::move(cancel))
{
    m_clock.start();
}

void Download::progressed(qint64 received, qint64 total)
{
    if (m_state != State::Running)
        return;
    m_received = received;
    m_total = total > 0 ? total : -1;
    const qint64 now = m_clock.elapsed();
    if (now - m_sampleMs >= speedSpanMs) {
        m_speed = (received - m_sampleBytes) * 1000 / (now - m_sampleMs);
        m_sampleMs = now;
        m_sampleBytes = received;
    }
    emit changed();
}

void Download::ended(State state, const QString &path)
{
    if (m_state != State::Running)
        return;
    m_state = state;
    m_path = path;
    m_speed = 0;
    m_cancel = nullptr;
    emit changed();
}

void Download::cancel()
{
    if (m_state != State::Running)
        return;
    // Told first: the engine's own report of the cancel comes later, or never.
    const auto stop = std::exchange(m_cancel, nullptr);
    ended(State::Cancelled);
    if (stop)
        stop();
}

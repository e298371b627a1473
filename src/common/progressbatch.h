#pragma once

#include <functional>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

// Tells the progress of many loads together, at most every tickMs: each report redraws the
// window, and with many tabs loading at once, reports one by one cost the loads themselves
// a good part of the processor.
class ProgressBatch final : public QObject
{
    Q_OBJECT
public:
    static constexpr int tickMs = 100;

    explicit ProgressBatch(QObject *parent = nullptr);

    // The load of source progressed; tell runs at the next tick, once however often this
    // is called before it, and not at all once source is gone.
    void progressed(QObject *source, std::function<void()> tell);

private:
    struct Pending
    {
        QPointer<QObject> source;
        std::function<void()> tell;
    };
    QList<Pending> m_pending;
    QTimer m_tick;
};

#pragma once

#include "common/memory.h"

#include <functional>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <vector>

class Tab;

// Covered tabs rest, so that tabs the user keeps open and does not look at cost what a
// handful do: a tab covered for a sixth of the sleeping delay is frozen (its timers and
// scripts stop); covered for the whole delay, it sleeps (its page is discarded and its
// renderer's memory released), and sooner, least recently active first, while the system
// is short of memory. Each page view decides whether it may (a page playing sound, waiting
// on a dialog or downloading does not rest; one the user typed into does not sleep);
// activating a tab wakes it.
class TabRest final : public QObject
{
    Q_OBJECT
public:
    // How often covered tabs are looked at, at most.
    static constexpr qint64 lookMs = 5000;
    // Below this share of the memory available, tabs sleep sooner.
    static constexpr double scarceMemory = 0.1;

    // The open tabs; each keeps when it went behind.
    using OpenTabs = std::function<std::vector<Tab *>()>;

    // A delay of 0 lets no tab rest.
    TabRest(OpenTabs tabs, qint64 sleepAfterMs, QObject *parent);

    // A tab came in front, or went behind.
    void inFront(Tab *tab);
    void covered(Tab *tab);

    // Where the share of the system's memory available is read; the kernel's unless a test
    // says otherwise.
    void setMemoryProbe(std::function<double()> probe) { m_memory = std::move(probe); }

private:
    void look();

    OpenTabs m_tabs;
    std::function<double()> m_memory = [] { return Memory::availableShare(); };
    qint64 m_sleepAfterMs;
    QElapsedTimer m_clock;
    QTimer m_look;
};

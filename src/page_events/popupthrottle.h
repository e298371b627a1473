#pragma once

#include <deque>
#include <map>
#include <QtGlobal>

// Bounds how fast one tab may open new windows, so that a page asking for windows in a
// loop cannot open tabs without end. Ordinary sites open a few windows at a time.
class PopupThrottle
{
public:
    // At most this many new windows per tab within window milliseconds.
    static constexpr int burstLimit = 5;
    static constexpr qint64 windowMs = 3000;

    // Whether tab may open one more window at time nowMs; counts it when it may.
    bool allow(int tab, qint64 nowMs);
    // Drops what is known of a tab (closed; its index may be given out again).
    void forget(int tab) { m_opened.erase(tab); }

private:
    std::map<int, std::deque<qint64>> m_opened;
};

#pragma once

#include <deque>
#include <QtGlobal>
#include <set>

// Bounds the tabs that pages open without the user asking, over the whole window: at most
// burstLimit within windowMs, and at most openLimit of them open at once. A page whose
// pop-ups open more pop-ups is stopped this way however many tabs it has made, since every
// new tab would otherwise bring an allowance of its own. Windows the user asked for (a
// click on a link that opens one) are never counted.
class PopupThrottle
{
public:
    static constexpr int burstLimit = 5;
    static constexpr qint64 windowMs = 3000;
    static constexpr int openLimit = 20;

    // Whether one more window may open at time nowMs.
    bool allow(bool userInitiated, qint64 nowMs);
    // A tab opened for a window; counted when the user did not ask for it.
    void opened(int tab, bool userInitiated, qint64 nowMs);
    // A tab closed: its index may be given out again.
    void forget(int tab) { m_unasked.erase(tab); }

private:
    std::deque<qint64> m_times;
    std::set<int> m_unasked;
};

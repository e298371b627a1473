#pragma once

#include <deque>
#include <QtGlobal>

// Bounds the tabs that pages open without the user asking, over the whole window: at most
// burstLimit within windowMs, and at most openLimit of them open at once. A page whose
// pop-ups open more pop-ups is stopped this way however many tabs it has made, since every
// new tab would otherwise bring an allowance of its own. Every window a page opens counts,
// the first of a click's or a key's included: only a link the user opens in a new tab is
// theirs, and never reaches this.
class PopupThrottle
{
public:
    static constexpr int burstLimit = 5;
    static constexpr qint64 windowMs = 3000;
    static constexpr int openLimit = 20;

    // Whether one more window may open at time nowMs, with unaskedOpen tabs open that pages
    // opened.
    bool allow(qint64 nowMs, int unaskedOpen);
    // A tab opened for a page's window.
    void opened(qint64 nowMs);

private:
    std::deque<qint64> m_times;
};

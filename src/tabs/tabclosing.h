#pragma once

#include <functional>
#include <QObject>
#include <QPointer>
#include <vector>

class Tab;
class Tabs;

// Closing tabs, and asking their pages whether they may be left: a tab closes as its close
// box does, once its page agrees (a page that asks puts the question over itself, its tab
// in front; staying keeps the tab); then the headers right of it close up, and `current`
// and `lastone` end as the close box's steps leave them. Only the closing of the active tab
// changes what is in front (the tab active before it, or when that is gone the nearest open
// one): a background tab goes without coming in front, so that neither its page wakes nor
// the front page's full screen or dialog ends.
class TabClosing final : public QObject
{
    Q_OBJECT
public:
    explicit TabClosing(Tabs &tabs);

    void close(int index);
    // Asks every tab's page in turn whether it may be left, as the window closes; decided
    // follows with true once all agree, or false at the first that stays.
    void askToLeaveAll(std::function<void(bool leave)> decided);
    // A tab's elements are being removed: focus that moves now is not the user's.
    bool inProgress() const { return m_inProgress; }
    // The page asked last whether it may be left put the question to the user: the time
    // it is on screen is the user's, not the page's.
    void questionShown() { m_questionShown = true; }

private:
    void closeNow(Tab *closing);
    void askInTurn(std::vector<QPointer<Tab>> tabs, std::size_t next, int patienceMs,
        std::function<void(bool)> decided);

    Tabs &m_tabs;
    bool m_inProgress = false;
    bool m_questionShown = false;
};

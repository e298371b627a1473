#pragma once

#include <functional>
#include <optional>
#include <QDeadlineTimer>
#include <QObject>
#include <QUrl>

class QTimer;
class QWebEnginePage;
class QuestionWait;

// Whether the user leaves a page that asks to be asked (its beforeunload), as the tab or
// the window closes or the browser moves the page on. The engine puts that question as a
// confirm in its own words, and tells a leave only by closing the page it was asked to
// close; a page that does not answer is left all the same.
class Leaving final : public QObject
{
    Q_OBJECT
public:
    Leaving(QuestionWait &wait, QObject *parent);

    // A load of the page started: a navigation away is done.
    void loadStarted() { m_navigatingAway = QDeadlineTimer(); }
    // The browser itself moves the page on (an address typed, Back, Forward, a reload), as
    // the question wait runs work: the engine's confirm meanwhile is whether to leave.
    // to: the address typed, which the page shows before it is asked.
    void navigateAway(std::function<void()> work, const QUrl &to = {});
    // The page shows another address: a navigation is done, unless it is the typed one.
    void addressChanged(const QUrl &url);
    // The page is asked whether it may be left; decided follows with the answer, or with
    // leaving when the page has not answered within patienceMs.
    void askToLeave(QWebEnginePage *page, int patienceMs, std::function<void(bool leave)> decided);
    // The page's confirm: when it is the question whether to leave, the user's answer.
    std::optional<bool> confirm(const QString &origin, const QString &message);
    // The page closed itself: whether that was the leave a question waited for.
    bool pageClosed();

signals:
    // The page asks whether it may be left: its tab is to come in front.
    void LeaveAsked();

private:
    void decided(bool leave);
    // Whether a confirm carries the engine's words for a page's beforeunload; a page's own
    // confirm is shown in its own words.
    static bool isEnginesLeaveQuestion(const QString &message);

    QuestionWait &m_wait;
    // Until when a confirm is the question whether to leave the page for the browser's
    // own navigation; unset when none waits.
    QDeadlineTimer m_navigatingAway;
    QUrl m_navigatingTo;
    // The question whether to leave the page is on screen.
    bool m_onScreen = false;
    // Who waits for the answer, and how long the page is given.
    std::function<void(bool leave)> m_leaving;
    QTimer *m_patience = nullptr;
};

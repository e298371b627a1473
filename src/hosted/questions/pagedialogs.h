#pragma once

#include "common/pageguards.h"
#include "common/pageview.h"

#include <functional>
#include <optional>
#include <QDeadlineTimer>
#include <QList>
#include <QObject>
#include <QUrl>

class EngineWait;
class QAuthenticator;
class QTimer;
class QWebEnginePage;

// What one page asks of the user, granted as its guards allow: script dialogs, logins,
// leaving the page, printing and closing its window. Each is bounded, so that a hostile
// page cannot hold the window hostage. What comes of them it tells by its signals, which
// its view passes on as its own.
//
// The engine asks for dialogs and logins synchronously, and does no work for any tab while
// one waits. So a dialog waits only while its tab is in front, and only until the user does
// something else with the browser: a dialog of a covered tab is answered at once as
// cancelled (and said so when the tab comes in front), and one that waits is answered as
// cancelled when its tab goes behind or the page is asked to do something else.
class PageDialogs final : public QObject
{
    Q_OBJECT
public:
    // engine: where a question on screen is counted, for every view of the profile.
    PageDialogs(PageGuards &guards, EngineWait &engine, QObject *parent);

    // Who puts the page's questions to the user and waits, and how they are all ended.
    using Ask = std::function<PageAnswer(const PageQuestion &question)>;
    void setQuestions(Ask ask, std::function<void()> dismiss)
    {
        m_ask = std::move(ask);
        m_dismiss = std::move(dismiss);
    }
    // A load of the page started.
    void loadStarted();
    // The main frame is to load an address: a link, a redirect, an address typed. Its site
    // is the one that may ask for a password until the next.
    void mainFrameHeadsFor(const QUrl &url) { m_heading = url; }
    // The browser itself moves the page on (an address typed, Back, Forward, a reload), as
    // whenEngineFree runs work: the engine's confirm meanwhile is whether to leave the page.
    // to: the address typed, which the page shows before it is asked.
    void navigateAway(std::function<void()> work, const QUrl &to = {});
    // The page shows another address: a navigation is done, unless it is the typed one.
    void addressChanged(const QUrl &url);
    // What the page asks by the engine's signals: logins, its window's end.
    void watch(QWebEnginePage *page);
    // The page was opened by another page's request for a window: it may close itself.
    void openedByPage() { m_openedByPage = true; }

    // Whether the view is in front; a dialog waits only then.
    void setInFront(bool inFront);
    // Whether the view holds the keyboard focus; a dialog takes it only then, so that a
    // dialog does not pull the user away from where they are typing.
    void setFocused(bool focused) { m_focused = focused; }
    bool focused() const { return m_focused; }
    // The page's alert, confirm or prompt: true when accepted, with the prompt's text in
    // value.
    bool dialog(PageQuestion::Kind kind, const QString &origin, const QString &message,
        const QString &defaultValue, QString *value);
    // The page asks to be printed: granted while its tab is in front, as often as a dialog.
    bool mayPrint();
    // A site (or a proxy, by its host) asks the user to sign in, over a connection that is
    // encrypted or not: the authenticator gets the user's name and password, or is made
    // null, so that nothing more is sent.
    void signIn(const QString &host, bool unencrypted, QAuthenticator *authenticator);
    // Answers every dialog that waits as cancelled; whether one did.
    bool answerDialogs();
    // Whether a dialog waits: the page must not rest.
    bool busy() const { return m_dialogsOpen > 0; }
    // Runs work that needs the engine: now, or, while a dialog waits (and so the engine
    // does nothing), once the dialog is answered and the engine's call has returned.
    void whenEngineFree(std::function<void()> work);
    // The view's tab closes: a dialog that waits ends as cancelled, and none opens again.
    void tabClosing();
    // The page is asked whether it may be left (its beforeunload); decided follows with
    // the answer, or with leaving when the page has not answered within patienceMs.
    void askToLeave(QWebEnginePage *page, int patienceMs, std::function<void(bool leave)> decided);

signals:
    void StatusTextChange(const QString &Text);
    // A dialog of the page's is about to wait over it.
    void DialogShown();
    // The page asks whether it may be left: its tab is to come in front.
    void LeaveAsked();
    void WindowClosing();
    // Released, and no dialog waits on the stack any more: the view may go.
    void mayGo();

private:
    // Waits for the user's answer: a dialog's, or the leaving question's.
    PageAnswer waitFor(PageQuestion question);
    bool askLeaving(const QString &origin);
    void leavingDecided(bool leave);
    // Counts one more dialog of the page; says so when the first is refused.
    bool allowDialog();
    // Whether a confirm carries the engine's words for a page's beforeunload; a page's own
    // confirm is shown in its own words.
    static bool isEnginesLeaveQuestion(const QString &message);

    PageGuards &m_guards;
    EngineWait &m_engine;
    int m_dialogsOpen = 0;
    bool m_released = false;
    bool m_inFront = false;
    bool m_focused = false;
    bool m_openedByPage = false;
    QUrl m_heading;
    // Until when a confirm is the question whether to leave the page for the browser's
    // own navigation; unset when none waits.
    QDeadlineTimer m_navigatingAway;
    QUrl m_navigatingTo;
    // The question whether to leave the page is on screen.
    bool m_leaveOnScreen = false;
    // A dialog was answered while the tab was covered; said when it comes in front.
    bool m_answeredBehind = false;
    QList<std::function<void()>> m_afterDialogs;
    // Who waits for the answer to leaving the page, and how long the page is given.
    std::function<void(bool leave)> m_leaving;
    QTimer *m_leavePatience = nullptr;
    Ask m_ask;
    std::function<void()> m_dismiss;
};

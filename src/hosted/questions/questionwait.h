#pragma once

#include "common/pagehooks.h"

#include <functional>
#include <QList>
#include <QObject>

class EngineWait;

// One page's questions while they wait on the user, and the engine's work that waits with
// them.
//
// The engine asks for dialogs and logins synchronously, and does no work for any tab while
// one waits. So a question waits only while its tab is in front, and only until the user
// does something else with the browser: one of a covered tab is answered at once as
// cancelled (and said so when the tab comes in front), and one that waits is answered as
// cancelled when its tab goes behind or the page is asked to do something else.
class QuestionWait final : public QObject
{
    Q_OBJECT
public:
    // engine: where a question on screen is counted, for every view of the profile.
    // hooks: the page's, whose owner puts its questions to the user and ends them.
    QuestionWait(EngineWait &engine, const PageHooks &hooks, QObject *parent);

    // Whether the view is in front; a question waits only then.
    void setInFront(bool inFront);
    bool inFront() const { return m_inFront; }
    // Whether the view holds the keyboard focus; a question takes it only then, so that it
    // does not pull the user away from where they are typing.
    void setFocused(bool focused) { m_focused = focused; }
    bool focused() const { return m_focused; }
    // Whether a question may wait now. One of a covered tab is noted as cancelled.
    bool mayAsk();

    // Waits for the user's answer; answered as cancelled once the tab closes.
    PageAnswer waitFor(PageQuestion question);
    // Answers every question that waits as cancelled; whether one did.
    bool answerAll();
    // Whether a question waits: the page must not rest.
    bool busy() const { return m_open > 0; }
    // Runs work that needs the engine: now, or, while a question waits (and so the engine
    // does nothing), once it is answered and the engine's call has returned.
    void whenEngineFree(std::function<void()> work);

    // The view's tab closes: a question that waits ends as cancelled, and none waits again.
    void release();
    bool released() const { return m_released; }

signals:
    void StatusTextChange(const QString &Text);
    // A question of the page's is about to wait over it.
    void DialogShown();
    // Released, and no question waits on the stack any more: the view may go.
    void mayGo();

private:
    EngineWait &m_engine;
    int m_open = 0;
    bool m_released = false;
    bool m_inFront = false;
    bool m_focused = false;
    // A question was answered while the tab was covered; said when it comes in front.
    bool m_answeredBehind = false;
    QList<std::function<void()>> m_afterQuestions;
    const PageHooks &m_hooks;
};

#include "hosted/questions/questionwait.h"

#include "hosted/enginewait.h"

#include <utility>

QuestionWait::QuestionWait(EngineWait &engine, const PageHooks &hooks, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_hooks(hooks)
{ }

void QuestionWait::setInFront(bool inFront)
{
    m_inFront = inFront;
    if (!inFront) {
        answerAll();
        return;
    }
    if (std::exchange(m_answeredBehind, false))
        emit StatusTextChange(tr("A dialog of this page was cancelled while its tab was behind"));
}

bool QuestionWait::mayAsk()
{
    if (m_released)
        return false;
    if (!m_inFront)
        m_answeredBehind = true;
    return m_inFront;
}

PageAnswer QuestionWait::waitFor(PageQuestion question)
{
    // The leaving question takes the keyboard: the user just acted to leave.
    question.takeFocus = m_focused || question.kind == PageQuestion::Kind::Leave;
    emit DialogShown();
    ++m_open;
    PageAnswer answer;
    {
        const EngineWait::Question onScreen(m_engine);
        answer = m_hooks.askQuestion(question);
    }
    --m_open;
    if (m_open == 0) {
        if (m_released)
            emit mayGo();
        // The engine goes on once its call into the page returns; the work asked for
        // meanwhile runs after that.
        for (std::function<void()> &work : std::exchange(m_afterQuestions, {}))
            QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
    }
    answer.accepted = answer.accepted && !m_released;
    return answer;
}

bool QuestionWait::answerAll()
{
    if (m_open == 0)
        return false;
    m_hooks.dismissQuestions();
    return true;
}

void QuestionWait::whenEngineFree(std::function<void()> work)
{
    if (m_open == 0) {
        work();
        return;
    }
    answerAll();
    m_afterQuestions.append(std::move(work));
}

void QuestionWait::release()
{
    // A question of this page waits on the stack: it ends first, and the view goes once the
    // engine's call into the page has returned.
    m_released = true;
    m_afterQuestions.clear();
    answerAll();
    if (m_open == 0)
        emit mayGo();
}

#include "hosted/questions/scriptdialogs.h"

#include "common/pageguards.h"
#include "hosted/questions/leaving.h"
#include "hosted/questions/questionwait.h"

ScriptDialogs::ScriptDialogs(
    PageGuards &guards, QuestionWait &wait, Leaving &leaving, QObject *parent)
    : QObject(parent)
    , m_guards(guards)
    , m_wait(wait)
    , m_leaving(leaving)
{ }

bool ScriptDialogs::dialog(PageQuestion::Kind kind, const QString &origin, const QString &message,
    const QString &defaultValue, QString *value)
{
    if (m_wait.released())
        return false;
    if (kind == PageQuestion::Kind::Confirm)
        if (const auto leave = m_leaving.confirm(origin, message))
            return *leave;
    if (!m_wait.mayAsk() || !allowDialog())
        return false;
    const PageAnswer answer = m_wait.waitFor({ kind, origin, message, defaultValue, false, false });
    if (answer.accepted && value)
        *value = answer.value;
    return answer.accepted;
}

bool ScriptDialogs::mayPrint()
{
    return !m_wait.released() && m_wait.inFront() && allowDialog();
}

bool ScriptDialogs::allowDialog()
{
    if (m_guards.allowDialog())
        return true;
    if (m_guards.firstDialogRefused())
        emit StatusTextChange(tr("This page's further dialogs are blocked"));
    return false;
}

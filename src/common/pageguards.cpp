#include "common/pageguards.h"

#include <utility>

void PageGuards::loadStarted()
{
    m_dialogs = 0;
    m_logins = 0;
}

void PageGuards::userActed()
{
    m_downloads = downloadsWithoutUserAction;
}

bool PageGuards::allowDownload(qint64 nowMs)
{
    if (m_downloads == downloadsWithoutUserAction)
        m_earningSince = nowMs;
    const qint64 earned = (nowMs - m_earningSince) / downloadRefillMs;
    if (earned > 0) {
        m_downloads = int(qMin<qint64>(downloadsWithoutUserAction, m_downloads + earned));
        m_earningSince += earned * downloadRefillMs;
    }
    if (m_downloads == 0)
        return false;
    if (m_downloads-- == downloadsWithoutUserAction)
        m_earningSince = nowMs;
    return true;
}

bool PageGuards::allowDialog()
{
    // Counted up to one past the first refusal, so that the first refusal can be told
    // apart however many dialogs a page opens.
    if (m_dialogs <= dialogsPerPage + 1)
        ++m_dialogs;
    return m_dialogs <= dialogsPerPage;
}

bool PageGuards::allowLogin()
{
    if (m_logins >= loginsPerLoad)
        return false;
    ++m_logins;
    return true;
}

#include "hosted/pageguards.h"

#include <utility>

void PageGuards::loadStarted()
{
    m_dialogs = 0;
    m_logins = 0;
    m_downloadsThisLoad = 0;
}

void PageGuards::pageShown()
{
    m_downloadsUnasked = m_downloadsThisLoad;
}

void PageGuards::userActed()
{
    m_downloadsUnasked = 0;
    m_downloadsThisLoad = 0;
}

bool PageGuards::allowDownload()
{
    if (m_downloadsUnasked >= downloadsWithoutUserAction)
        return false;
    ++m_downloadsUnasked;
    ++m_downloadsThisLoad;
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

bool PageGuards::takeUserAskedForWindow()
{
    return std::exchange(m_userAskedForWindow, false);
}

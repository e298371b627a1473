// What the window asks a page view on the engine to do: go through its history, stop,
// reload, ask to be left. Work that needs the engine waits while a dialog does.
#include "hosted/enginepage.h"
#include "hosted/pageload.h"
#include "hosted/questions/leaving.h"
#include "hosted/questions/questionwait.h"
#include "hosted/webenginepageview.h"

#include <QWebEngineHistory>
#include <QWebEnginePage>

void WebEnginePageView::GoBack()
{
    if (m_page && m_page->history()->canGoBack())
        m_leaving->navigateAway([this] { m_page->history()->back(); });
}

void WebEnginePageView::GoForward()
{
    if (m_page && m_page->history()->canGoForward())
        m_leaving->navigateAway([this] { m_page->history()->forward(); });
}

void WebEnginePageView::Stop()
{
    m_loadWhenShown.clear();
    if (m_page)
        m_wait->whenEngineFree([this] { m_page->triggerAction(QWebEnginePage::Stop); });
}

void WebEnginePageView::Reload()
{
    if (m_page)
        m_leaving->navigateAway([this] { m_page->triggerAction(QWebEnginePage::Reload); });
}

void WebEnginePageView::askToClose(int patienceMs, std::function<void(bool leave)> decided)
{
    // A page that never showed, or slept (its document let go), has nothing to ask.
    if (!m_page || !m_load->shownDocument() || m_page->rest() == Rest::Asleep) {
        decided(true);
        return;
    }
    // A frozen page runs no script: it is thawed (not loaded again) to be asked.
    if (m_page->rest() == Rest::Frozen)
        m_page->setRest(Rest::Awake);
    m_leaving->askToLeave(m_page, patienceMs, std::move(decided));
}

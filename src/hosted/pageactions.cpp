// What the window asks a page view on the engine to do: go through its history, stop,
// reload, zoom, find, print and save, ask to be left, show its developer tools. Work that
// needs the engine waits while a dialog does.
#include "hosted/enginepage.h"
#include "hosted/pageload.h"
#include "hosted/pageoutput.h"
#include "hosted/questions/leaving.h"
#include "hosted/questions/questionwait.h"
#include "hosted/webenginepageview.h"

#include <QPointer>
#include <QWebEngineFindTextResult>
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

void WebEnginePageView::ExitFullScreen()
{
    if (m_page)
        m_wait->whenEngineFree([this] { m_page->triggerAction(QWebEnginePage::ExitFullScreen); });
}

bool WebEnginePageView::Print(QPrinter *printer)
{
    return m_output && m_output->print(printer);
}

void WebEnginePageView::SavePage(const QString &path, SaveFormat format)
{
    if (m_output)
        m_output->savePage(path, format);
}

void WebEnginePageView::SaveLink(const QString &link, const QString &path)
{
    if (m_output)
        m_output->saveLink(link, path);
}

void WebEnginePageView::Reload()
{
    if (m_page)
        m_leaving->navigateAway([this] { m_page->triggerAction(QWebEnginePage::Reload); });
}

void WebEnginePageView::setZoomLevel(int level)
{
    if (const auto factor = zoomFactorForLevel(level)) {
        ensureEngine();
        m_zoomLevel = level;
        m_wait->whenEngineFree([this, factor] { m_page->setZoomFactor(*factor); });
    }
}

void WebEnginePageView::Find(const QString &text, bool backward)
{
    if (!m_page)
        return;
    const auto flags = backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags();
    m_wait->whenEngineFree([this, text, flags] {
        m_page->findText(
            text, flags, [self = QPointer(this)](const QWebEngineFindTextResult &result) {
                if (self)
                    emit self->FindResult(result.activeMatch(), result.numberOfMatches());
            });
    });
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

void WebEnginePageView::inspectIn(PageView *tools, bool element)
{
    auto *engineTools = qobject_cast<WebEnginePageView *>(tools);
    if (!m_page && !engineTools)
        return;
    QWebEnginePage *toolsPage = engineTools ? engineTools->enginePage() : nullptr;
    if (enginePage()->devToolsPage() != toolsPage)
        m_page->setDevToolsPage(toolsPage);
    if (element && toolsPage)
        m_page->triggerAction(QWebEnginePage::InspectElement);
}

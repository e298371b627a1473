// What the window asks a page view on the engine to do: go through its history, stop,
// reload, zoom, find, print and save. Work that needs the engine waits while a dialog does.
#include "hosted/enginepage.h"
#include "hosted/pageoutput.h"
#include "hosted/pagerequests.h"
#include "hosted/webenginepageview.h"

#include <QPointer>
#include <QWebEngineFindTextResult>
#include <QWebEngineHistory>
#include <QWebEnginePage>

void WebEnginePageView::GoBack()
{
    if (m_page && m_page->history()->canGoBack())
        m_requests->whenEngineFree([this] { m_page->history()->back(); });
}

void WebEnginePageView::GoForward()
{
    if (m_page && m_page->history()->canGoForward())
        m_requests->whenEngineFree([this] { m_page->history()->forward(); });
}

void WebEnginePageView::Stop()
{
    m_loadWhenShown.clear();
    if (m_page)
        m_requests->whenEngineFree([this] { m_page->triggerAction(QWebEnginePage::Stop); });
}

void WebEnginePageView::ExitFullScreen()
{
    if (m_page)
        m_requests->whenEngineFree(
            [this] { m_page->triggerAction(QWebEnginePage::ExitFullScreen); });
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
        m_requests->whenEngineFree([this] { m_page->triggerAction(QWebEnginePage::Reload); });
}

void WebEnginePageView::setZoomLevel(int level)
{
    if (const auto factor = zoomFactorForLevel(level)) {
        ensureEngine();
        m_zoomLevel = level;
        m_requests->whenEngineFree([this, factor] { m_page->setZoomFactor(*factor); });
    }
}

void WebEnginePageView::Find(const QString &text, bool backward)
{
    if (!m_page)
        return;
    const auto flags = backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags();
    m_requests->whenEngineFree([this, text, flags] {
        m_page->findText(
            text, flags, [self = QPointer(this)](const QWebEngineFindTextResult &result) {
                if (self)
                    emit self->FindResult(result.activeMatch(), result.numberOfMatches());
            });
    });
}

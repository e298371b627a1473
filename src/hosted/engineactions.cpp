#include "hosted/engineactions.h"

#include "hosted/enginepage.h"
#include "hosted/pageoutput.h"
#include "hosted/questions/questionwait.h"
#include "hosted/webenginepageview.h"

#include <QPointer>
#include <QWebEngineFindTextResult>

EngineActions::EngineActions(WebEnginePageView &view, QuestionWait &wait)
    : m_view(view)
    , m_wait(wait)
{ }

void EngineActions::engineMade(EnginePage *page, PageOutput *output)
{
    m_page = page;
    m_output = output;
}

void EngineActions::setZoomLevel(int level)
{
    if (const auto factor = zoomFactor(level)) {
        // A zoom set before anything loads holds for what loads.
        m_view.enginePage();
        m_zoomLevel = level;
        m_wait.whenEngineFree([this, factor] { m_page->setZoomFactor(*factor); });
    }
}

void EngineActions::Find(const QString &text, bool backward)
{
    if (!m_page)
        return;
    const auto flags = backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags();
    m_wait.whenEngineFree([this, text, flags] {
        m_page->findText(
            text, flags, [view = QPointer(&m_view)](const QWebEngineFindTextResult &result) {
                if (view)
                    emit view->FindResult(result.activeMatch(), result.numberOfMatches());
            });
    });
}

void EngineActions::ExitFullScreen()
{
    if (m_page)
        m_wait.whenEngineFree([this] { m_page->triggerAction(QWebEnginePage::ExitFullScreen); });
}

void EngineActions::inspectIn(PageView *tools, bool element)
{
    auto *engineTools = qobject_cast<WebEnginePageView *>(tools);
    if (!m_page && !engineTools)
        return;
    QWebEnginePage *toolsPage = engineTools ? engineTools->enginePage() : nullptr;
    if (m_view.enginePage()->devToolsPage() != toolsPage)
        m_page->setDevToolsPage(toolsPage);
    if (element && toolsPage)
        m_page->triggerAction(QWebEnginePage::InspectElement);
}

bool EngineActions::Print(QPrinter *printer)
{
    return m_output && m_output->print(printer);
}

void EngineActions::SavePage(const QString &path, SaveFormat format)
{
    if (m_output)
        m_output->savePage(path, format);
}

void EngineActions::SaveLink(const QString &link, const QString &path)
{
    if (m_output)
        m_output->saveLink(link, path);
}

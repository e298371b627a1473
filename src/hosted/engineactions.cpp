#include "hosted/engineactions.h"

#include "hosted/enginepage.h"
#include "hosted/pageoutput.h"
#include "hosted/questions/questionwait.h"

#include <QPointer>
#include <QWebEngineFindTextResult>
#include <utility>

EngineActions::EngineActions(View view, QuestionWait &wait)
    : m_view(std::move(view))
    , m_wait(wait)
{ }

void EngineActions::engineMade(EnginePage *page, PageOutput *output)
{
    m_page = page;
    m_output = output;
    m_page->setAudioMuted(m_muted);
    // The page goes before these actions do: its view deletes it first.
    QObject::connect(
        m_page, &QWebEnginePage::recentlyAudibleChanged, m_page, [this] { m_view.soundChanged(); });
    // A page let go to sleep comes back unmuted: it keeps the tab's choice.
    QObject::connect(m_page, &QWebEnginePage::lifecycleStateChanged, m_page, [this] {
        if (m_page->isAudioMuted() != m_muted)
            m_page->setAudioMuted(m_muted);
    });
}

bool EngineActions::isAudible() const
{
    return m_page && m_page->recentlyAudible();
}

void EngineActions::setMuted(bool muted)
{
    m_muted = muted;
    if (m_page)
        m_page->setAudioMuted(muted);
    m_view.soundChanged();
}

void EngineActions::setZoomLevel(int level)
{
    if (const auto factor = zoomFactor(level)) {
        // A zoom set before anything loads holds for what loads.
        m_view.page();
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
        // The answer comes later: not to a view gone by then, whose page went first.
        m_page->findText(text, flags,
            [page = QPointer<QWebEnginePage>(m_page), found = m_view.found](
                const QWebEngineFindTextResult &result) {
                if (page)
                    found(result.activeMatch(), result.numberOfMatches());
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
    m_view.inspect(tools, element);
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

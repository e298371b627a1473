#include "hosted/engineprofile.h"

#include "hosted/downloadsaver.h"
#include "hosted/engineroutes.h"
#include "hosted/progressbatch.h"
#include "hosted/webenginepageview.h"

#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

EngineProfile::EngineProfile(QObject *parent)
    : QObject(parent)
    , m_profile(new QWebEngineProfile(this))
    , m_downloads(new DownloadSaver(this))
{
    // A download the engine asks for again as it would resume it (its connection broke) has
    // failed; it is never taken for a page's new download.
    connect(m_profile, &QWebEngineProfile::downloadRequested, m_downloads, &DownloadSaver::resume);
    // A page or link the user chose a place for goes there, whichever page it came from.
    connect(m_profile, &QWebEngineProfile::downloadRequested, m_downloads,
        &DownloadSaver::saveExpected);
    m_routes = new EngineRoutes(m_profile, this);
    m_progress = new ProgressBatch(this);
    // Without this the engine drops script pop-ups itself and the host never hears of them.
    m_profile->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    // Asked of the window, which grants it to the tab in front only.
    m_profile->settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
}

EngineProfile::~EngineProfile() = default;

PageViewFactory EngineProfile::factory()
{
    const WebEnginePageView::Parts parts { m_profile, m_downloads, m_routes, m_progress };
    return [parts](QWidget *parent) -> PageView * { return new WebEnginePageView(parts, parent); };
}

#include "hosted/engineprofile.h"

#include "hosted/downloadsaver.h"
#include "hosted/engineroutes.h"
#include "hosted/webenginepageview.h"

#include <QWebEngineProfile>
#include <QWebEngineSettings>

EngineProfile::EngineProfile(QObject *parent)
    : QObject(parent)
    , m_profile(new QWebEngineProfile(this))
    , m_downloads(new DownloadSaver(this))
    , m_routes(new EngineRoutes(m_profile, m_downloads, this))
{
    // Without this the engine drops script pop-ups itself and the host never hears of them.
    m_profile->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
}

EngineProfile::~EngineProfile() = default;

PageViewFactory EngineProfile::factory()
{
    return
        [this](QWidget *parent) -> PageView * { return new WebEnginePageView(m_routes, parent); };
}

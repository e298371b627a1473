#include "app/browser.h"

#include "app/onewindow.h"
#include "hosted/downloads/downloadsaver.h"
#include "hosted/engineprofile.h"
#include "page_events/pageevents.h"
#include "page_tools/pagetools.h"
#include "window/tabopening.h"

Browser::Browser(const BrowserAddresses &addresses, ContentBlocking::Reading blocking)
    : m_profile(std::make_unique<EngineProfile>(std::move(blocking)))
    , m_window(std::make_unique<Form1>(m_profile->factory(), addresses))
    , m_events(new PageEvents(*m_window))
{
    DownloadSaver *downloads = m_profile->downloads();
    QObject::connect(
        downloads, &DownloadSaver::started, &m_window->pageTools(), &PageTools::addDownload);
    m_window->setRunningDownloads([downloads] { return downloads->running(); });
    m_window->Form_Load();
}

Browser::Browser(PageViewFactory factory, const BrowserAddresses &addresses)
    : m_window(std::make_unique<Form1>(std::move(factory), addresses))
    , m_events(new PageEvents(*m_window))
{
    m_window->Form_Load();
}

Browser::~Browser()
{
    m_others.reset();
    // The window's pages go before their profile, which goes once they have.
    m_window.reset();
    EngineProfile::deleteAfterPages(std::move(m_profile));
}

void Browser::listen(const QString &path)
{
    m_others = std::make_unique<OneWindowServer>();
    m_others->listen(path);
    QObject::connect(m_others.get(), &OneWindowServer::addressesReceived, &m_window->opening(),
        &TabOpening::openHandedOver);
}

#pragma once

#include "common/pageview.h"
#include "filters/contentblocking.h"
#include "window/form1.h"

#include <memory>

class EngineProfile;
class OneWindowServer;
class PageEvents;

// The browser put together: the engine's profile, the window on it, the page events that
// drive the window, and the downloads shown in it. main() starts one; the tests start the
// same one, on the engine or on fake page views.
class Browser final
{
public:
    // The browser users run, on the web engine, blocking what the lists being read name
    // (none: nothing).
    explicit Browser(const BrowserAddresses &addresses, ContentBlocking::Reading blocking = {});
    // The same window and page events on page views from another factory, without the
    // engine: the tests' fake views.
    Browser(PageViewFactory factory, const BrowserAddresses &addresses);
    ~Browser();

    Form1 &form() const { return *m_window; }
    PageEvents &events() const { return *m_events; }
    // The engine's profile; nullptr on other page views.
    EngineProfile *engine() const { return m_profile.get(); }

    // Takes the addresses that later starts of the program hand over, at the socket path.
    void listen(const QString &path);

private:
    // Declared first, so that it goes last, after every page of the window.
    std::unique_ptr<EngineProfile> m_profile;
    std::unique_ptr<Form1> m_window;
    PageEvents *m_events = nullptr;
    std::unique_ptr<OneWindowServer> m_others;
};

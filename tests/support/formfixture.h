#pragma once

#include "page_events/pageevents.h"
#include "support/browsers.h"
#include "support/fakepageview.h"
#include "support/windowdriver.h"

#include <memory>

// The browser on fake page views, as the unit tests drive it.
struct FormFixture : WindowDriver
{
    FakeViews views;
    std::unique_ptr<Browser> browser;
    Form1 *form = nullptr;
    PageEvents *events = nullptr;

    explicit FormFixture(BrowserAddresses addresses
        = { QStringLiteral("start.test/start/"), QStringLiteral("http://search.test") })
        : browser(makeBrowser(addresses, views.factory()))
        , form(&browser->form())
        , events(&browser->events())
    {
        window = form;
    }

    // The fake page view of a tab; nullptr when the index names no view.
    FakePageView *view(int index) const { return qobject_cast<FakePageView *>(page(index)); }
};

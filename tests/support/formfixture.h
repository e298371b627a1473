#pragma once

#include "main_window/form1.h"
#include "page_events/pageevents.h"
#include "support/fakepageview.h"
#include "support/windowdriver.h"

#include <memory>

// A main window on fake page views, with its page events, as the unit tests drive it.
struct FormFixture : WindowDriver
{
    FakeViews views;
    std::unique_ptr<Form1> form;
    PageEvents *events = nullptr;

    explicit FormFixture(BrowserAddresses addresses
        = { QStringLiteral("start.test/start/"), QStringLiteral("http://search.test") })
    {
        form = std::make_unique<Form1>(views.factory(), addresses);
        events = new PageEvents(*form);
        window = form.get();
    }

    // The fake page view of a tab; nullptr when the index names no view.
    FakePageView *view(int index) const { return qobject_cast<FakePageView *>(page(index)); }
};

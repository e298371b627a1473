#pragma once

#include "main_window/form1.h"
#include "support/fakepageview.h"

#include <memory>

// A main window on fake page views, as the unit tests drive it.
struct FormFixture
{
    FakeViews views;
    std::unique_ptr<Form1> form;

    explicit FormFixture(BrowserAddresses addresses
        = { QStringLiteral("start.test/start/"), QStringLiteral("http://search.test") })
    {
        form = std::make_unique<Form1>(views.factory(), addresses);
    }

    // The fake page view of a tab; nullptr when the index names no view.
    FakePageView *view(int index) const
    {
        return qobject_cast<FakePageView *>(form->WebBrowser(index));
    }
};

#pragma once

#include "app/browser.h"

#include <memory>

// The one place the tests make a browser, exactly as the program does: on the web engine,
// or, given a factory, on its fake page views.
std::unique_ptr<Browser> makeBrowser(
    const BrowserAddresses &addresses, PageViewFactory fakeViews = {});

#include "support/browsers.h"

std::unique_ptr<Browser> makeBrowser(const BrowserAddresses &addresses, PageViewFactory fakeViews)
{
    if (fakeViews)
        return std::make_unique<Browser>(std::move(fakeViews), addresses);
    return std::make_unique<Browser>(addresses);
}

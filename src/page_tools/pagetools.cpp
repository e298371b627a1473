#include "page_tools/pagetools.h"

#include "common/downloadnames.h"
#include "page_tools/downloadslist.h"
#include "page_tools/fullscreen.h"
#include "page_tools/printing.h"
#include "page_tools/saving.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"

#include <QMainWindow>

PageTools::PageTools(QMainWindow &window, Tabs &tabs, std::vector<QWidget *> bars,
    std::function<void()> relayout, std::function<void(const QString &)> status)
    : QObject(&window)
    , m_tabs(tabs)
    , m_fullScreen(new FullScreen(window, tabs, std::move(bars), std::move(relayout)))
    , m_printing(new Printing(window, std::move(status)))
    , m_saving(new Saving(window))
    , m_downloads(new DownloadsList(&window))
{
    m_downloads->setObjectName(QStringLiteral("downloads"));
    // Closing the tab in front brings another in front first: its full screen ends too.
    connect(&tabs, &Tabs::frontChanged, m_fullScreen, [this](Tab *, Tab *covered) {
        if (covered)
            m_fullScreen->pageLeft(covered->page());
    });
}

void PageTools::printPage()
{
    m_printing->openDialogFor(m_tabs.frontPage());
}

void PageTools::savePage()
{
    if (PageView *view = m_tabs.frontPage())
        m_saving->save(view, QString(),
            DownloadNames::forPage(
                view->LocationName(), view->LocationURL(), QStringLiteral("mhtml")));
}

bool PageTools::fullScreenAsked(Tab &tab, bool on)
{
    return m_fullScreen->pageAsked(tab.page(), on);
}

void PageTools::printAsked(Tab &tab)
{
    if (m_tabs.front() == &tab)
        printPage();
}

void PageTools::saveAsked(Tab &tab, const QString &link, const QString &suggestedName)
{
    m_saving->save(tab.page(), link, suggestedName);
}

void PageTools::addDownload(Download *download)
{
    m_downloads->add(download);
}

void PageTools::showDownloads()
{
    m_downloads->present();
}

// What people expect of a browser beyond its design, reached by keys, the page's menu, the
// status bar and dialogs: a closed tab back, links dropped on the strip, full screen,
// printing and saving.
#include "common/downloadnames.h"
#include "common/pagerules.h"
#include "page_tools/downloadslist.h"
#include "page_tools/fullscreen.h"
#include "page_tools/printing.h"
#include "page_tools/saving.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "tabs/tabstrip.h"
#include "window/coolbar.h"
#include "window/form1.h"
#include "window/mainstatusbar.h"
#include "window/warningpanel.h"

#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>

void Form1::addEverydayFeatures()
{
    connect(m_tabs, &Tabs::closed, this,
        [this](int, const QString &address) { m_closedTabs.remember(address); });
    // After the drop is over: a drag the engine started waits on it.
    connect(
        Picture1, &TabStrip::addressesDropped, this,
        [this](const QStringList &dropped) {
            for (const QString &one : dropped)
                openTab(one);
        },
        Qt::QueuedConnection);

    m_fullScreen = new FullScreen(
        *this, *m_tabs, { menuBar(), CoolBar1, infopanel, StatusBar1 }, [this] { Form_Resize(); });
    // Closing the tab in front brings another in front first: its full screen ends too.
    connect(m_tabs, &Tabs::frontChanged, m_fullScreen, [this](Tab *, Tab *covered) {
        if (covered)
            m_fullScreen->pageLeft(covered->page());
    });
    m_printing = new Printing(*this, [this](const QString &text) { setStatusText(text); });
    m_saving = new Saving(*this);
    m_downloads = new DownloadsList(this);
    m_downloads->setObjectName(QStringLiteral("downloads"));
    // Panel 2 shows the lock on an encrypted page; only the download mark opens the list.
    connect(StatusBar1, &MainStatusBar::pictureClicked, this, [this] {
        if (m_panel2 == Panel2::Downloads)
            showDownloads();
    });
}

void Form1::saveFrom(PageView *view, const QString &link, const QString &suggestedName)
{
    m_saving->save(view, link, suggestedName);
}

void Form1::openTab(const QString &address)
{
    if (!madeNewTab())
        return;
    if (PageView *view = m_tabs->viewAt(current()))
        view->Navigate(address);
}

void Form1::reopenClosedTab()
{
    if (const auto address = m_closedTabs.takeLast())
        openTab(*address);
    else
        setStatusText(tr("No closed tab to bring back"));
}

void Form1::addDownload(Download *download)
{
    m_downloads->add(download);
}

void Form1::showDownloads()
{
    m_downloads->present();
}

// Quitting while downloads run asks first; the question waits without a loop of its own.
bool Form1::mayClose()
{
    const QList<Download *> running = m_running ? m_running() : QList<Download *>();
    if (running.isEmpty() || m_quitting)
        return true;
    auto *question = new QMessageBox(QMessageBox::Question, tr("Downloads"),
        running.size() == 1
            ? tr("A download is still running. Cancel it and quit?")
            : tr("%1 downloads are still running. Cancel them and quit?").arg(running.size()),
        QMessageBox::Yes | QMessageBox::No, this);
    question->setDefaultButton(QMessageBox::No);
    question->setAttribute(Qt::WA_DeleteOnClose);
    connect(question, &QMessageBox::finished, this, [this](int answer) {
        if (answer != QMessageBox::Yes)
            return;
        for (Download *download : m_running())
            download->cancel();
        m_quitting = true;
        close();
    });
    question->open();
    return false;
}

void Form1::openHandedOver(const QStringList &addresses)
{
    if (addresses.isEmpty())
        newflik_Click();
    // Held to the rules of a typed address, whoever sent them: a refused one opens no tab.
    bool refused = false;
    for (const QString &address : addresses) {
        if (PageRules::givenRefusal(address))
            refused = true;
        else
            openTab(address);
    }
    if (refused)
        setStatusText(tr("An address another start handed over was refused"));
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void Form1::printPage()
{
    m_printing->openDialogFor(m_tabs->viewAt(current()));
}

void Form1::savePage()
{
    if (PageView *view = m_tabs->viewAt(current()))
        m_saving->save(view, QString(),
            DownloadNames::forPage(
                view->LocationName(), view->LocationURL(), QStringLiteral("mhtml")));
}

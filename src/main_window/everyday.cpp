// What people expect of a browser beyond its design, reached by keys, the page's menu, the
// status bar and dialogs: a closed tab back, links dropped on the strip, full screen,
// printing and saving.
#include "main_window/coolbar.h"
#include "main_window/downloadslist.h"
#include "main_window/form1.h"
#include "main_window/fullscreen.h"
#include "main_window/mainstatusbar.h"
#include "main_window/printing.h"
#include "main_window/saving.h"
#include "main_window/tabs.h"
#include "main_window/tabstrip.h"
#include "main_window/warningpanel.h"

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
    connect(m_tabs, &Tabs::frontChanged, m_fullScreen,
        [this](int, int covered) { m_fullScreen->tabLeft(covered); });
    connect(
        m_tabs, &Tabs::closed, m_fullScreen, [this](int index) { m_fullScreen->tabLeft(index); });
    m_printing = new Printing(*this, [this](const QString &text) { setStatusText(text); });
    m_saving = new Saving(*this);
    m_downloads = new DownloadsList(this);
    m_downloads->setObjectName(QStringLiteral("downloads"));
    // Panel 2 shows the lock on an encrypted page; only the download mark opens the list.
    connect(StatusBar1, &MainStatusBar::pictureClicked, this, [this] {
        if (StatusBar1->panel2Picture().cacheKey() == downloadico->pixmap().cacheKey())
            showDownloads();
    });

    connect(m_tabs, &Tabs::opened, this, [this](int index) {
        PageView *view = m_tabs->WebBrowser(index);
        connect(view, &PageView::FullScreenRequested, this, [this, index](bool on, bool &granted) {
            granted = m_fullScreen->pageAsked(index, on);
        });
        // Only the page in sight may ask; its guards bound how often.
        connect(view, &PageView::PrintRequested, this, [this, index] {
            if (toTabIndex(current()) == index)
                printPage();
        });
        connect(view, &PageView::SaveRequested, this,
            [this, view](
                const QString &link, const QString &name) { m_saving->save(view, link, name); });
    });
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
    const QList<Download *> running = m_downloads->running();
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
        for (Download *download : m_downloads->running())
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
    for (const QString &address : addresses)
        openTab(address);
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
        m_saving->save(view, QString(), view->LocationName() + QStringLiteral(".mhtml"));
}

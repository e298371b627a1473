#include "window/statuspanels.h"

#include "window/mainstatusbar.h"

StatusPanels::StatusPanels(MainStatusBar *bar, QPixmap lock, QPixmap download,
    std::function<bool()> frontLocked, QObject *parent)
    : QObject(parent)
    , m_bar(bar)
    , m_lock(std::move(lock))
    , m_download(std::move(download))
    , m_frontLocked(std::move(frontLocked))
{
    connect(m_bar, &MainStatusBar::pictureClicked, this, [this] {
        if (m_panel2 == Panel2::Downloads)
            emit downloadsClicked();
    });
}

void StatusPanels::setStatusText(const QString &text)
{
    m_bar->setPanel1Text(text);
}

void StatusPanels::showDownloadMark()
{
    m_bar->setPanel2Picture(m_download, tr("Downloads (Ctrl+Shift+Y)"));
    m_panel2 = Panel2::Downloads;
}

void StatusPanels::clearPanel2()
{
    m_bar->setPanel2Picture(QPixmap());
    m_panel2 = Panel2::Empty;
    m_bar->setPanel2Text(QString());
}

void StatusPanels::settlePanel2()
{
    if (m_running && !m_running().isEmpty())
        showDownloadMark();
    else
        showLock(m_frontLocked());
}

void StatusPanels::showLock(bool encrypted)
{
    if (!encrypted) {
        clearPanel2();
        return;
    }
    m_bar->setPanel2Picture(m_lock);
    m_bar->setPanel2Text(tr("Encrypted"));
    m_panel2 = Panel2::Lock;
}

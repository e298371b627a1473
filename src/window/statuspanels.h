#pragma once

#include "common/download.h"

#include <functional>
#include <QObject>
#include <QPixmap>

class MainStatusBar;

// What the status bar's panels tell: panel 1 the status texts, panel 2 the download mark
// while a download runs, or the lock and "Encrypted" of the page in front, or nothing.
class StatusPanels final : public QObject
{
    Q_OBJECT
public:
    // frontLocked: whether the tab in front shows its lock.
    StatusPanels(MainStatusBar *bar, QPixmap lock, QPixmap download,
        std::function<bool()> frontLocked, QObject *parent);

    void setRunningDownloads(RunningDownloads running) { m_running = std::move(running); }

    void setStatusText(const QString &text);
    void showDownloadMark();
    void clearPanel2();
    // Panel 2 as a load's end leaves it: the download mark while a download runs, else the
    // lock of the tab in front, whichever tab's load ended.
    void settlePanel2();
    void showLock(bool encrypted);

signals:
    // The download mark was clicked; the lock opens nothing.
    void downloadsClicked();

private:
    MainStatusBar *m_bar;
    QPixmap m_lock;
    QPixmap m_download;
    std::function<bool()> m_frontLocked;
    RunningDownloads m_running;
    enum class Panel2 { Empty, Lock, Downloads };
    Panel2 m_panel2 = Panel2::Empty;
};

#pragma once

#include "tabs/tabowner.h"

#include <functional>
#include <QObject>
#include <vector>

class Download;
class DownloadsList;
class FullScreen;
class PageView;
class Printing;
class QMainWindow;
class QWidget;
class Saving;
class Tabs;

// The tools that act on the page in front, made with the window: full screen, printing,
// saving, and the list of this run's downloads.
class PageTools final : public QObject, public TabPageTools
{
    Q_OBJECT
public:
    // bars: hidden while a page is full screen; relayout lays the window out once they
    // are hidden or shown; status: where a print's or save's end is told.
    PageTools(QMainWindow &window, Tabs &tabs, std::vector<QWidget *> bars,
        std::function<void()> relayout, std::function<void(const QString &)> status);

    FullScreen &fullScreen() const { return *m_fullScreen; }
    // The page in front printed, or saved, through a dialog.
    void printPage();
    void savePage();
    // What a tab's page asks: full screen; to be printed, granted to the page in sight; its
    // own "Save page" or "Save link", where asked through a dialog.
    bool fullScreenAsked(Tab &tab, bool on) override;
    void printAsked(Tab &tab) override;
    void saveAsked(Tab &tab, const QString &link, const QString &suggestedName) override;
    // A download of this run, shown in the downloads list; the list shown.
    void addDownload(Download *download);
    void showDownloads();

private:
    Tabs &m_tabs;
    FullScreen *m_fullScreen;
    Printing *m_printing;
    Saving *m_saving;
    DownloadsList *m_downloads;
};

#pragma once

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
class PageTools final : public QObject
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
    // A page's own "Save page" or "Save link": where, asked through a dialog.
    void saveFrom(PageView *view, const QString &link, const QString &suggestedName);
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

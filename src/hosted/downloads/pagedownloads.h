#pragma once

#include <QObject>

class DownloadSaver;
class PageGuards;
class QWebEngineDownloadRequest;

// The downloads one page starts, granted as its guards allow: a page that starts them in a
// loop, reloading itself or not, would fill the disk. What comes of them it tells by its
// signals, which its view passes on as its own.
class PageDownloads final : public QObject
{
    Q_OBJECT
public:
    // Saved by the profile's saver; none saves nothing.
    PageDownloads(PageGuards &guards, DownloadSaver *saver, QObject *parent);

    // The page asked for a download: it is saved, or cancelled, before this returns (the
    // engine cancels a request left for later).
    void download(QWebEngineDownloadRequest *download);
    // Whether a download the page started runs: the page must not rest. It may outlive the
    // tab that started it.
    bool running() const { return m_running > 0; }

signals:
    void StatusTextChange(const QString &Text);
    void FileDownload();
    void DownloadComplete();

private:
    PageGuards &m_guards;
    DownloadSaver *m_saver;
    int m_running = 0;
};

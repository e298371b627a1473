#pragma once

#include "hosted/pageguards.h"
#include "hosted/pageview.h"
#include "hosted/scriptdialog.h"

#include <QObject>

class DownloadSaver;
class QWebEngineDownloadRequest;

// What one page asks of the program beyond showing itself, granted as its guards allow:
// downloads, new windows and script dialogs. Each is bounded, so that a hostile page can
// neither hold the window hostage nor fill the disk. What comes of them it tells by its
// signals, which its view passes on as its own.
class PageRequests final : public QObject
{
    Q_OBJECT
public:
    // Dialogs cover the view; downloads are saved by the profile's saver.
    PageRequests(DownloadSaver *downloads, QWidget *view);

    PageGuards &guards() { return m_guards; }

    // The page asked for a download: it is saved, or cancelled, before this returns (the
    // engine cancels a request left for later).
    void download(QWebEngineDownloadRequest *download);
    // The page asked for a window: the answer of NewWindow2.
    NewWindowRequest window();
    // The page's alert, confirm or prompt: true when accepted, with the prompt's text in
    // value. It takes the keyboard only when asked to.
    bool dialog(ScriptDialog::Kind kind, const QString &origin, const QString &message,
        const QString &defaultValue, QString *value, bool takeFocus);
    // The view's tab closes: a dialog that waits ends as cancelled, and none opens again.
    void tabClosing();

signals:
    void StatusTextChange(const QString &Text);
    void FileDownload(bool &Cancel);
    void DownloadComplete();
    void NewWindow2(NewWindowRequest &request);
    // Released, and no dialog waits on the stack any more: the view may go.
    void mayGo();

private:
    DownloadSaver *m_downloads;
    QWidget *m_view;
    PageGuards m_guards;
    int m_dialogsOpen = 0;
    bool m_released = false;
};

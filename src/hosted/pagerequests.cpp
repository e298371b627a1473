#include "hosted/pagerequests.h"

#include "hosted/downloadsaver.h"

#include <QPointer>
#include <QWebEngineDownloadRequest>

PageRequests::PageRequests(DownloadSaver *downloads, QWidget *view)
    : QObject(view)
    , m_downloads(downloads)
    , m_view(view)
{ }

void PageRequests::download(QWebEngineDownloadRequest *download)
{
    // A page that starts downloads in a loop would fill the disk. A few per page shown
    // are saved; after that only a click or key press of the user's in the page lets
    // another one through.
    if (!m_guards.allowDownload()) {
        download->cancel();
        emit StatusTextChange(tr("Download refused: this page has started too many downloads"));
        return;
    }
    bool cancel = false;
    emit FileDownload(cancel);
    if (cancel || !m_downloads) {
        download->cancel();
        return;
    }
    // The download may outlive the tab that started it.
    m_downloads->save(download, [self = QPointer(this)](const QString &path) {
        if (!self)
            return;
        emit self->StatusTextChange(
            path.isEmpty() ? tr("Download failed") : tr("Saved %1").arg(path));
        emit self->DownloadComplete();
    });
}

NewWindowRequest PageRequests::window()
{
    NewWindowRequest request;
    request.userInitiated = m_guards.takeUserAskedForWindow();
    emit NewWindow2(request);
    return request;
}

bool PageRequests::dialog(ScriptDialog::Kind kind, const QString &origin, const QString &message,
    const QString &defaultValue, QString *value, bool takeFocus)
{
    if (m_released)
        return false;
    if (!m_guards.allowDialog()) {
        if (m_guards.firstDialogRefused())
            emit StatusTextChange(tr("This page's further dialogs are blocked"));
        return false;
    }
    ScriptDialog dialog(kind, origin, message, defaultValue, m_view);
    ++m_dialogsOpen;
    const bool accepted = dialog.exec(takeFocus, value);
    --m_dialogsOpen;
    if (m_released && m_dialogsOpen == 0)
        emit mayGo();
    return accepted && !m_released;
}

void PageRequests::tabClosing()
{
    // A dialog of this page waits on the stack: it ends first, and the view goes once the
    // engine's call into the page has returned.
    m_released = true;
    for (ScriptDialog *dialog : m_view->findChildren<ScriptDialog *>())
        dialog->abandon();
    if (m_dialogsOpen == 0)
        emit mayGo();
}

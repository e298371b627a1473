#include "hosted/downloads/pagedownloads.h"

#include "common/pageguards.h"
#include "hosted/downloads/downloadsaver.h"

#include <QDeadlineTimer>
#include <QPointer>
#include <QWebEngineDownloadRequest>

PageDownloads::PageDownloads(PageGuards &guards, DownloadSaver *saver, QObject *parent)
    : QObject(parent)
    , m_guards(guards)
    , m_saver(saver)
{ }

void PageDownloads::download(QWebEngineDownloadRequest *download)
{
    // A page that starts downloads in a loop, reloading itself or not, would fill the disk.
    // A few are saved, then one a minute, until the user acts in the tab.
    if (!m_guards.allowDownload(QDeadlineTimer::current().deadline())) {
        download->cancel();
        emit StatusTextChange(tr("Download refused: this page has started too many downloads"));
        return;
    }
    if (!m_saver) {
        download->cancel();
        return;
    }
    emit FileDownload();
    // The download may outlive the tab that started it.
    ++m_running;
    m_saver->save(download, [self = QPointer(this)](const QString &path) {
        if (!self)
            return;
        --self->m_running;
        emit self->StatusTextChange(
            path.isEmpty() ? tr("Download failed") : tr("Saved %1").arg(path));
        emit self->DownloadComplete();
    });
}

#include "hosted/downloadsaver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>

DownloadSaver::DownloadSaver(QObject *parent)
    : QObject(parent)
{
    m_directory = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (m_directory.isEmpty())
        m_directory = QDir::homePath();
}

QString DownloadSaver::uniqueName(const QString &directory, const QString &wanted)
{
    // A page chooses the suggested name: keep only its last path element.
    QString name = QFileInfo(wanted).fileName();
    if (name.isEmpty() || name == u"." || name == u"..")
        name = QStringLiteral("download");
    const QDir dir(directory);
    if (!dir.exists(name))
        return name;
    // "a.tar.gz" becomes "a (1).tar.gz"; ".profile" becomes ".profile (1)".
    const QFileInfo info(name);
    const bool split = !info.baseName().isEmpty() && !info.completeSuffix().isEmpty();
    const QString base = split ? info.baseName() : name;
    const QString suffix = split ? u'.' + info.completeSuffix() : QString();
    for (int n = 1;; ++n) {
        const QString candidate = base + QStringLiteral(" (%1)").arg(n) + suffix;
        if (!dir.exists(candidate))
            return candidate;
    }
}

void DownloadSaver::save(
    QWebEngineDownloadRequest *download, std::function<void(const QString &path)> finished)
{
    const QString directory = m_directory;
    QDir().mkpath(directory);
    const QString wanted = QFileInfo(download->downloadFileName()).fileName();
    const QString partName = uniqueName(directory, wanted + QStringLiteral(".part"));
    download->setDownloadDirectory(directory);
    download->setDownloadFileName(partName);

    QPointer<QWebEngineDownloadRequest> guard(download);
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this,
        [guard, directory, wanted, partName, finished = std::move(finished)] {
            if (!guard || !guard->isFinished())
                return;
            const QDir dir(directory);
            const QString partPath = dir.filePath(partName);
            if (guard->state() != QWebEngineDownloadRequest::DownloadCompleted) {
                QFile::remove(partPath);
                finished(QString());
                return;
            }
            // Chosen now, not at the start, so two downloads of one name that finish
            // in turn both find a free name.
            const QString finalPath = dir.filePath(uniqueName(directory, wanted));
            if (!QFile::rename(partPath, finalPath)) {
                QFile::remove(partPath);
                finished(QString());
                return;
            }
            finished(finalPath);
        });
    download->accept();
}

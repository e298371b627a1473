#include "hosted/downloadsaver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>

namespace {

// A final name is tried again when another program took it in the meantime.
constexpr int renameAttempts = 20;

bool isHome(const QString &directory)
{
    return QDir::cleanPath(QDir(directory).absolutePath()) == QDir::cleanPath(QDir::homePath());
}

} // namespace

DownloadSaver::DownloadSaver(QObject *parent)
    : QObject(parent)
    , m_directory(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation))
{ }

QString DownloadSaver::directory() const
{
    if (m_directory.isEmpty() || isHome(m_directory))
        return QDir::home().filePath(QStringLiteral("Downloads"));
    return m_directory;
}

QString DownloadSaver::visibleName(const QString &suggested)
{
    QString name = QFileInfo(suggested).fileName();
    qsizetype dots = 0;
    while (dots < name.size() && name.at(dots) == u'.')
        ++dots;
    name.remove(0, dots);
    return name.isEmpty() ? QStringLiteral("download") : name;
}

QString DownloadSaver::freeName(
    const QString &directory, const QString &name, const QSet<QString> &taken)
{
    const QDir dir(directory);
    const auto free = [&](const QString &candidate) {
        return !dir.exists(candidate) && !taken.contains(dir.filePath(candidate));
    };
    if (free(name))
        return name;
    // "a.tar.gz" becomes "a (1).tar.gz"; "README" becomes "README (1)".
    const QFileInfo info(name);
    const bool split = !info.baseName().isEmpty() && !info.completeSuffix().isEmpty();
    const QString base = split ? info.baseName() : name;
    const QString suffix = split ? u'.' + info.completeSuffix() : QString();
    for (int n = 1;; ++n) {
        const QString candidate = base + QStringLiteral(" (%1)").arg(n) + suffix;
        if (free(candidate))
            return candidate;
    }
}

void DownloadSaver::save(
    QWebEngineDownloadRequest *download, std::function<void(const QString &path)> finished)
{
    const QString directory = this->directory();
    QDir().mkpath(directory);
    const QDir dir(directory);
    const QString wanted = visibleName(download->downloadFileName());
    // Reserved at once: the engine creates the file only later, and another download of
    // the same name may start before it does.
    const QString partName = freeName(directory, wanted + QStringLiteral(".part"), m_writing);
    const QString partPath = dir.filePath(partName);
    m_writing.insert(partPath);
    download->setDownloadDirectory(directory);
    download->setDownloadFileName(partName);

    QPointer<QWebEngineDownloadRequest> guard(download);
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this,
        [this, guard, dir, wanted, partPath, finished = std::move(finished)] {
            if (!guard || !guard->isFinished())
                return;
            QString finalPath;
            if (guard->state() == QWebEngineDownloadRequest::DownloadCompleted) {
                // Chosen now, not at the start, so two downloads of one name that finish
                // close together both find a free name; renaming never replaces a file.
                for (int attempt = 0; attempt < renameAttempts && finalPath.isEmpty(); ++attempt) {
                    const QString candidate = dir.filePath(freeName(dir.path(), wanted, m_writing));
                    if (QFile::rename(partPath, candidate))
                        finalPath = candidate;
                }
            }
            if (finalPath.isEmpty())
                QFile::remove(partPath);
            m_writing.remove(partPath);
            finished(finalPath);
        });
    download->accept();
}

#include "hosted/downloadsaver.h"

#include "hosted/downloadnames.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWebEngineDownloadRequest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A name is tried again when another program took it in the meantime.
constexpr int renameAttempts = 20;
const QString partialPrefix = QStringLiteral(".tessarvine-partial-");

bool isHome(const QString &directory)
{
    return QDir::cleanPath(QDir(directory).absolutePath()) == QDir::cleanPath(QDir::homePath());
}

// Moves a file to a name that must not exist yet, as any entry: the move fails rather than
// replace a file or follow a link.
bool moveWithoutReplacing(const QString &from, const QString &to)
{
    return ::renameat2(AT_FDCWD, QFile::encodeName(from).constData(), AT_FDCWD,
               QFile::encodeName(to).constData(), RENAME_NOREPLACE)
        == 0;
}

} // namespace

DownloadSaver::DownloadSaver(QObject *parent)
    : QObject(parent)
    , m_directory(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation))
{ }

DownloadSaver::~DownloadSaver() = default;

QString DownloadSaver::directory() const
{
    if (m_directory.isEmpty() || isHome(m_directory))
        return QDir::home().filePath(QStringLiteral("Downloads"));
    return m_directory;
}

void DownloadSaver::removeLeftovers(const QString &directory)
{
    const QDir dir(directory);
    for (const QString &name : dir.entryList({ partialPrefix + u'*' },
             QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        // ".tessarvine-partial-<pid>-<random>": the run that made it has ended.
        const pid_t pid = name.mid(partialPrefix.size()).section(u'-', 0, 0).toInt();
        struct stat entry;
        const QString path = dir.filePath(name);
        if (pid <= 0 || ::lstat(QFile::encodeName(path).constData(), &entry) != 0
            || !S_ISDIR(entry.st_mode) || entry.st_uid != ::getuid())
            continue;
        if (::kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        QDir(path).removeRecursively();
    }
}

QString DownloadSaver::partialFolder(const QString &directory)
{
    std::unique_ptr<QTemporaryDir> &partial = m_partial[directory];
    if (!partial || !partial->isValid()) {
        QDir().mkpath(directory);
        removeLeftovers(directory);
        // Made afresh and private (mode 0700): no entry in it was put there before.
        partial = std::make_unique<QTemporaryDir>(QDir(directory).filePath(
            partialPrefix + QString::number(::getpid()) + QStringLiteral("-XXXXXX")));
    }
    return partial->isValid() ? partial->path() : QString();
}

QString DownloadSaver::moveOut(
    const QString &partPath, const QString &directory, const QString &name)
{
    // Chosen now, not at the start, so two downloads of one name that finish close
    // together both find a free name.
    for (int attempt = 0; attempt < renameAttempts; ++attempt) {
        const QString free = DownloadNames::freeName(directory, name, m_writing);
        if (free.isEmpty())
            break;
        const QString candidate = QDir(directory).filePath(free);
        if (moveWithoutReplacing(partPath, candidate))
            return candidate;
        if (errno != EEXIST)
            break;
    }
    return QString();
}

void DownloadSaver::save(
    QWebEngineDownloadRequest *download, std::function<void(const QString &path)> finished)
{
    const QString directory = this->directory();
    const QString partial = partialFolder(directory);
    const QString name = DownloadNames::visible(download->downloadFileName());
    const QString partName
        = DownloadNames::freeName(partial, name + QStringLiteral(".part"), m_writing);
    if (partial.isEmpty() || partName.isEmpty()) {
        download->cancel();
        finished(QString());
        return;
    }
    // Reserved at once: the engine creates the file only later, and another download of
    // the same name may start before it does.
    const QString partPath = QDir(partial).filePath(partName);
    m_writing.insert(partPath);
    m_saving.insert(download->id(), { directory, name, partPath, std::move(finished) });
    accept(download);
}

bool DownloadSaver::resume(QWebEngineDownloadRequest *download)
{
    if (!m_saving.contains(download->id()))
        return false;
    // Its connection broke. Resumed, it never ended in this engine: it fails, and says so.
    download->cancel();
    finish(download->id(), QString());
    return true;
}

void DownloadSaver::finish(quint32 id, const QString &finalPath)
{
    const Saving saving = m_saving.take(id);
    if (finalPath.isEmpty())
        QFile::remove(saving.partPath);
    m_writing.remove(saving.partPath);
    saving.finished(finalPath);
}

void DownloadSaver::accept(QWebEngineDownloadRequest *download)
{
    const quint32 id = download->id();
    const Saving &saving = m_saving[id];
    download->setDownloadDirectory(QFileInfo(saving.partPath).path());
    download->setDownloadFileName(QFileInfo(saving.partPath).fileName());
    QPointer<QWebEngineDownloadRequest> guard(download);
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this, [this, guard, id] {
        if (!guard || !guard->isFinished() || !m_saving.contains(id))
            return;
        const Saving &saving = m_saving[id];
        finish(id,
            guard->state() == QWebEngineDownloadRequest::DownloadCompleted
                ? moveOut(saving.partPath, saving.directory, saving.name)
                : QString());
    });
    download->accept();
}

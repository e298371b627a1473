#include "common/downloadfiles.h"

#include "common/downloadnames.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <unistd.h>

namespace {

// A name is tried again when another program took it in the meantime.
constexpr int renameAttempts = 20;

// Moves a file to a name that must not exist yet, as any entry: the move fails rather than
// replace a file or follow a link.
bool moveWithoutReplacing(const QString &from, const QString &to)
{
    return ::renameat2(AT_FDCWD, QFile::encodeName(from).constData(), AT_FDCWD,
               QFile::encodeName(to).constData(), RENAME_NOREPLACE)
        == 0;
}

bool move(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

DownloadFiles::DownloadFiles() = default;
DownloadFiles::~DownloadFiles() = default;

QString DownloadFiles::partialFolder(const QString &directory)
{
    std::unique_ptr<QTemporaryDir> &partial = m_partial[directory];
    if (!partial || !partial->isValid()) {
        QDir().mkpath(directory);
        DownloadNames::removeLeftovers(directory);
        // Made afresh and private (mode 0700): no entry in it was put there before.
        partial = std::make_unique<QTemporaryDir>(
            QDir(directory).filePath(DownloadNames::partialPrefix() + QString::number(::getpid())
                + QStringLiteral("-XXXXXX")));
    }
    return partial->isValid() ? partial->path() : QString();
}

QString DownloadFiles::reservePart(const QString &directory, const QString &name)
{
    const QString partial = partialFolder(directory);
    const QString partName
        = DownloadNames::freeName(partial, name + QStringLiteral(".part"), m_writing);
    if (partial.isEmpty() || partName.isEmpty())
        return QString();
    // Reserved at once: the engine creates the file only later, and another download of
    // the same name may start before it does.
    const QString path = QDir(partial).filePath(partName);
    m_writing.insert(path);
    return path;
}

QString DownloadFiles::reserveFolder(const QString &directory)
{
    const QString partial = partialFolder(directory);
    QByteArray folder = QFile::encodeName(QDir(partial).filePath(QStringLiteral("page-XXXXXX")));
    if (partial.isEmpty() || !::mkdtemp(folder.data()))
        return QString();
    return QFile::decodeName(folder);
}

bool DownloadFiles::moveParts(
    const QString &partPath, const QString &directory, const QString &partFolder)
{
    if (partFolder.isEmpty())
        return true;
    const QString parts = QFileInfo(partPath).completeBaseName() + QStringLiteral("_files");
    const QDir written(partFolder);
    if (!written.exists(parts))
        return true;
    // The folder of an earlier save of the same name goes with the page it belonged to:
    // moved aside into the private folder, and removed with it.
    const QString target = QDir(directory).filePath(parts);
    if (DownloadNames::taken(target)
        && !move(target, written.filePath(parts + QStringLiteral(".old"))))
        return false;
    return move(written.filePath(parts), target);
}

bool DownloadFiles::moveOnto(
    const QString &partPath, const QString &chosenPath, const QString &partFolder)
{
    return moveParts(partPath, QFileInfo(chosenPath).path(), partFolder)
        && move(partPath, chosenPath);
}

QString DownloadFiles::moveOut(
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

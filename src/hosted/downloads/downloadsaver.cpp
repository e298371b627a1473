#include "hosted/downloads/downloadsaver.h"

#include "common/downloadnames.h"
#include "hosted/downloads/download.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTemporaryDir>
#include <QWebEngineDownloadRequest>
#include <unistd.h>

namespace {

// A name is tried again when another program took it in the meantime.
constexpr int renameAttempts = 20;
// Places chosen for downloads that never came are forgotten beyond this many.
constexpr qsizetype expectedAtMost = 16;

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
{ }

DownloadSaver::~DownloadSaver() = default;

QString DownloadSaver::directory() const
{
    return DownloadNames::folder(m_directory);
}

QString DownloadSaver::partialFolder(const QString &directory)
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

bool DownloadSaver::moveParts(const Saving &saving)
{
    if (saving.partFolder.isEmpty())
        return true;
    const QString parts = QFileInfo(saving.partPath).completeBaseName() + QStringLiteral("_files");
    const QDir written(saving.partFolder);
    if (!written.exists(parts))
        return true;
    // The folder of an earlier save of the same name goes with the page it belonged to:
    // moved aside into the private folder, and removed with it.
    const QString target = QDir(saving.directory).filePath(parts);
    if (DownloadNames::taken(target)
        && ::rename(QFile::encodeName(target).constData(),
               QFile::encodeName(written.filePath(parts + QStringLiteral(".old"))).constData())
            != 0)
        return false;
    return ::rename(QFile::encodeName(written.filePath(parts)).constData(),
               QFile::encodeName(target).constData())
        == 0;
}

QString DownloadSaver::moveOut(const Saving &saving)
{
    // The user chose this place and agreed to replace what is there: the entry is replaced,
    // never written through.
    if (!saving.chosenPath.isEmpty())
        return moveParts(saving)
                && ::rename(QFile::encodeName(saving.partPath).constData(),
                       QFile::encodeName(saving.chosenPath).constData())
                    == 0
            ? saving.chosenPath
            : QString();
    // Chosen now, not at the start, so two downloads of one name that finish close
    // together both find a free name.
    for (int attempt = 0; attempt < renameAttempts; ++attempt) {
        const QString free = DownloadNames::freeName(saving.directory, saving.name, m_writing);
        if (free.isEmpty())
            break;
        const QString candidate = QDir(saving.directory).filePath(free);
        if (moveWithoutReplacing(saving.partPath, candidate))
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
    // The name as the page suggested it, before the engine made a path of it: ".." would
    // have become the name of the folder above the downloads.
    const QString name = DownloadNames::visible(download->suggestedFileName());
    if (!reserve(download,
            { directory, name, QString(), std::move(finished), QString(), nullptr, QString() }))
        return;
    accept(download);
}

void DownloadSaver::expect(
    const QUrl &url, const QString &path, std::function<void(const QString &path)> finished)
{
    if (m_expected.size() >= expectedAtMost)
        m_expected.clear();
    m_expected.insert(url.toString(), { path, std::move(finished), QString(), QString() });
}

QString DownloadSaver::expectPage(const QUrl &url, const QString &path, bool inPlace,
    std::function<void(const QString &path)> finished)
{
    const QFileInfo chosen(path);
    QString writePath;
    QString partFolder;
    if (inPlace) {
        // The page names its parts' folder after its own name: both keep their names.
        const QString partial = partialFolder(chosen.path());
        QByteArray folder
            = QFile::encodeName(QDir(partial).filePath(QStringLiteral("page-XXXXXX")));
        if (partial.isEmpty() || !::mkdtemp(folder.data()))
            return QString();
        partFolder = QFile::decodeName(folder);
        writePath = QDir(partFolder).filePath(chosen.fileName());
    } else {
        writePath = reservePart(chosen.path(), chosen.fileName());
        if (writePath.isEmpty())
            return QString();
    }
    expect(url, path, std::move(finished));
    Expected &expected = m_expected[url.toString()];
    expected.writePath = writePath;
    expected.partFolder = partFolder;
    return writePath;
}

bool DownloadSaver::saveExpected(QWebEngineDownloadRequest *download)
{
    const QString key = download->url().toString();
    if (!m_expected.contains(key))
        return false;
    const bool requested = download->state() == QWebEngineDownloadRequest::DownloadRequested;
    // A page being saved is written from the start, where it was told to.
    if (!requested && !download->isSavePageDownload())
        return false;
    Expected expected = m_expected.take(key);
    const QFileInfo chosen(expected.path);
    Saving saving { chosen.path(), chosen.fileName(), expected.writePath,
        std::move(expected.finished), chosen.filePath(), nullptr, expected.partFolder };
    if (!requested) {
        m_saving.insert(download->id(), std::move(saving));
        track(download);
    } else if (reserve(download, std::move(saving))) {
        accept(download);
    }
    return true;
}

QString DownloadSaver::reservePart(const QString &directory, const QString &name)
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

bool DownloadSaver::reserve(QWebEngineDownloadRequest *download, Saving saving)
{
    saving.partPath = reservePart(saving.directory, saving.name);
    if (saving.partPath.isEmpty()) {
        download->cancel();
        saving.finished(QString());
        return false;
    }
    m_saving.insert(download->id(), std::move(saving));
    return true;
}

bool DownloadSaver::resume(QWebEngineDownloadRequest *download)
{
    if (!m_saving.contains(download->id()))
        return false;
    // Its connection broke. Resumed, it never ended in this engine: it fails, and says so.
    download->cancel();
    finish(download->id(), QString(), Download::State::Failed);
    return true;
}

QList<Download *> DownloadSaver::running() const
{
    QList<Download *> running;
    for (const Saving &saving : m_saving) {
        if (saving.record && saving.record->state() == Download::State::Running)
            running.append(saving.record);
    }
    return running;
}

void DownloadSaver::finish(quint32 id, const QString &finalPath, Download::State state)
{
    const Saving saving = m_saving.take(id);
    if (finalPath.isEmpty() && saving.partPath != saving.chosenPath)
        QFile::remove(saving.partPath);
    if (!saving.partFolder.isEmpty())
        QDir(saving.partFolder).removeRecursively();
    m_writing.remove(saving.partPath);
    if (saving.record)
        saving.record->ended(
            finalPath.isEmpty() && state == Download::State::Done ? Download::State::Failed : state,
            finalPath);
    saving.finished(finalPath);
}

void DownloadSaver::accept(QWebEngineDownloadRequest *download)
{
    const Saving &saving = m_saving[download->id()];
    download->setDownloadDirectory(QFileInfo(saving.partPath).path());
    download->setDownloadFileName(QFileInfo(saving.partPath).fileName());
    track(download);
    download->accept();
}

void DownloadSaver::track(QWebEngineDownloadRequest *download)
{
    const quint32 id = download->id();
    Saving &saving = m_saving[id];
    QPointer<QWebEngineDownloadRequest> guard(download);
    saving.record = new Download(
        saving.name,
        [guard] {
            if (guard)
                guard->cancel();
        },
        this);
    Download *record = saving.record;
    const auto progressed = [guard, record] {
        if (guard)
            record->progressed(guard->receivedBytes(), guard->totalBytes());
    };
    connect(download, &QWebEngineDownloadRequest::receivedBytesChanged, record, progressed);
    connect(download, &QWebEngineDownloadRequest::totalBytesChanged, record, progressed);
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this, [this, guard, id] {
        if (!guard || !guard->isFinished() || !m_saving.contains(id))
            return;
        switch (guard->state()) {
        case QWebEngineDownloadRequest::DownloadCompleted:
            finish(id, moveOut(m_saving[id]), Download::State::Done);
            break;
        case QWebEngineDownloadRequest::DownloadCancelled:
            finish(id, QString(), Download::State::Cancelled);
            break;
        default:
            finish(id, QString(), Download::State::Failed);
            break;
        }
    });
    emit started(record);
}

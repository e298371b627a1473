#include "hosted/downloads/downloadsaver.h"

#include "common/download.h"
#include "common/downloadnames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QWebEngineDownloadRequest>

namespace {

// Places chosen for downloads that never came are forgotten beyond this many.
constexpr qsizetype expectedAtMost = 16;

} // namespace

DownloadSaver::DownloadSaver(QObject *parent)
    : QObject(parent)
{ }

DownloadSaver::~DownloadSaver() = default;

QString DownloadSaver::directory() const
{
    return DownloadNames::folder(m_directory);
}

QString DownloadSaver::moveOut(const Saving &saving)
{
    // The user chose this place and agreed to replace what is there.
    if (!saving.chosenPath.isEmpty())
        return m_files.moveOnto(saving.partPath, saving.chosenPath, saving.partFolder)
            ? saving.chosenPath
            : QString();
    return m_files.moveOut(saving.partPath, saving.directory, saving.name);
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
        partFolder = m_files.reserveFolder(chosen.path());
        if (partFolder.isEmpty())
            return QString();
        writePath = QDir(partFolder).filePath(chosen.fileName());
    } else {
        writePath = m_files.reservePart(chosen.path(), chosen.fileName());
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

bool DownloadSaver::reserve(QWebEngineDownloadRequest *download, Saving saving)
{
    saving.partPath = m_files.reservePart(saving.directory, saving.name);
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
    m_files.release(saving.partPath);
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

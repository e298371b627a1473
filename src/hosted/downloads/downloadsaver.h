#pragma once

#include "common/download.h"
#include "common/downloadfiles.h"

#include <functional>
#include <QHash>
#include <QObject>
#include <QString>

class QUrl;
class QWebEngineDownloadRequest;

// Saves the engine's downloads into the user's download folder without asking, each written
// privately until it is whole (DownloadFiles).
class DownloadSaver final : public QObject
{
    Q_OBJECT
public:
    explicit DownloadSaver(QObject *parent = nullptr);
    ~DownloadSaver() override;

    // The folder downloads go to (see DownloadNames::folder), made when needed.
    QString directory() const;
    void setDirectory(const QString &directory) { m_directory = directory; }

    // Accepts the download; finished(path) follows with the saved file's path, or with an
    // empty path when the download failed or was cancelled.
    void save(
        QWebEngineDownloadRequest *download, std::function<void(const QString &path)> finished);
    // The engine asks again for a download it would resume after its connection broke:
    // the download has failed. False for one it never saved.
    bool resume(QWebEngineDownloadRequest *download);

    // The user chose where the next download of the address goes (Save page, Save link),
    // and agreed to replace what is there. finished as for save.
    void expect(
        const QUrl &url, const QString &path, std::function<void(const QString &path)> finished);
    // The same for a page about to be saved: where the engine is to write it, a private
    // path until the page is whole; a complete page (written with a folder of its parts
    // beside it, named after it and named in it) goes with its name into a private folder
    // of its own. Empty when it cannot be written.
    QString expectPage(const QUrl &url, const QString &path, bool inPlace,
        std::function<void(const QString &path)> finished);
    // Saves a download the user chose the place of; false for any other.
    bool saveExpected(QWebEngineDownloadRequest *download);

    // The downloads of this run still running.
    QList<Download *> running() const;

signals:
    // A download was accepted; the record lasts as long as the saver.
    void started(Download *download);

private:
    struct Saving
    {
        QString directory;
        QString name;
        QString partPath;
        std::function<void(const QString &path)> finished;
        // Where the user chose to save it, replacing what is there; empty for a free name.
        QString chosenPath;
        Download *record = nullptr;
        // A complete page is written with the folder of its parts into a private folder of
        // its own, and both move into place once the page is whole.
        QString partFolder;
    };
    struct Expected
    {
        QString path;
        std::function<void(const QString &path)> finished;
        QString writePath;
        QString partFolder;
    };

    bool reserve(QWebEngineDownloadRequest *download, Saving saving);
    void accept(QWebEngineDownloadRequest *download);
    void track(QWebEngineDownloadRequest *download);
    void finish(quint32 id, const QString &finalPath, Download::State state);
    QString moveOut(const Saving &saving);

    QString m_directory;
    DownloadFiles m_files;
    // The downloads under way, by their id.
    QHash<quint32, Saving> m_saving;
    QHash<QString, Expected> m_expected;
};

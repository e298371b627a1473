#pragma once

#include <functional>
#include <map>
#include <memory>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

class QTemporaryDir;
class QWebEngineDownloadRequest;

// Saves the engine's downloads into the user's download folder without asking. A file is
// written in a private folder of this run's inside the download folder, and moved out
// under its final name only when it is complete; the final name never replaces anything
// there, a link included ("report.pdf" becomes "report (1).pdf"), and nothing is ever
// written through a link. The private folder goes when the program ends; one left by a
// run that was killed is removed by the next.
class DownloadSaver final : public QObject
{
    Q_OBJECT
public:
    explicit DownloadSaver(QObject *parent = nullptr);
    ~DownloadSaver() override;

    // The folder downloads go to: the one set, else the user's download folder. Never the
    // home folder itself, where a download would sit among (and could replace the meaning
    // of) the user's own files: ~/Downloads then, made when needed.
    QString directory() const;
    void setDirectory(const QString &directory) { m_directory = directory; }

    // Accepts the download; finished(path) follows with the saved file's path, or with an
    // empty path when the download failed or was cancelled.
    void save(
        QWebEngineDownloadRequest *download, std::function<void(const QString &path)> finished);
    // The engine asks again for a download it would resume after its connection broke:
    // the download has failed. False for one it never saved.
    bool resume(QWebEngineDownloadRequest *download);

    // The private folders of earlier runs that are no longer running, inside directory.
    static void removeLeftovers(const QString &directory);

private:
    struct Saving
    {
        QString directory;
        QString name;
        QString partPath;
        std::function<void(const QString &path)> finished;
    };

    void accept(QWebEngineDownloadRequest *download);
    void finish(quint32 id, const QString &finalPath);
    QString partialFolder(const QString &directory);
    QString moveOut(const QString &partPath, const QString &directory, const QString &name);

    QString m_directory;
    // This run's private folder in each download folder used.
    std::map<QString, std::unique_ptr<QTemporaryDir>> m_partial;
    // Files that downloads under way are writing, and those downloads, by their id.
    QSet<QString> m_writing;
    QHash<quint32, Saving> m_saving;
};

#pragma once

#include <functional>
#include <QObject>
#include <QSet>
#include <QString>

class QWebEngineDownloadRequest;

// Saves the engine's downloads into the user's download folder without asking. A file is
// written under a temporary name and takes its final name only when it is complete, and a
// final name never replaces an existing file: "report.pdf" becomes "report (1).pdf" when
// that one exists, or is being written by another download.
class DownloadSaver final : public QObject
{
    Q_OBJECT
public:
    explicit DownloadSaver(QObject *parent = nullptr);

    // The folder downloads go to: the one set, else the user's download folder. Never the
    // home folder itself, where a download would sit among (and could replace the meaning
    // of) the user's own files: ~/Downloads then, made when needed.
    QString directory() const;
    void setDirectory(const QString &directory) { m_directory = directory; }

    // Accepts the download; finished(path) follows with the saved file's path, or with an
    // empty path when the download failed or was cancelled.
    void save(
        QWebEngineDownloadRequest *download, std::function<void(const QString &path)> finished);

    // The name a download is saved under, from the one its server suggests: the last path
    // element, without leading dots, so that it can neither leave the folder nor hide there
    // (".bashrc" is saved as "bashrc").
    static QString visibleName(const QString &suggested);
    // A name in directory made from name that no file there has and that is not among
    // taken (full paths of files still being written).
    static QString freeName(
        const QString &directory, const QString &name, const QSet<QString> &taken);

private:
    QString m_directory;
    // Files that downloads under way are writing.
    QSet<QString> m_writing;
};

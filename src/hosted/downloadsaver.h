#pragma once

#include <functional>
#include <QObject>
#include <QString>

class QWebEngineDownloadRequest;

// Saves the engine's downloads into the user's download folder. A file is written under a
// temporary name and takes its final name only when it is complete, and a final name never
// replaces an existing file: "report.pdf" becomes "report (1).pdf" when that one exists.
class DownloadSaver final : public QObject
{
    Q_OBJECT
public:
    explicit DownloadSaver(QObject *parent = nullptr);

    // The folder downloads go to; the user's download folder unless set otherwise.
    QString directory() const { return m_directory; }
    void setDirectory(const QString &directory) { m_directory = directory; }

    // Accepts the download; finished(path) follows with the saved file's path, or with an
    // empty path when the download failed or was cancelled.
    void save(
        QWebEngineDownloadRequest *download, std::function<void(const QString &path)> finished);

    // A file name in directory that no file has yet, made from wanted.
    static QString uniqueName(const QString &directory, const QString &wanted);

private:
    QString m_directory;
};

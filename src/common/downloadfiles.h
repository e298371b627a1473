#pragma once

#include <map>
#include <memory>
#include <QSet>
#include <QString>

class QTemporaryDir;

// Where this run writes downloads until they are whole, and how a whole one moves into
// place. A file is written in a private folder of this run's inside the download folder, and
// moved out under its final name only when it is complete; the final name never replaces
// anything there, a link included ("report.pdf" becomes "report (1).pdf"), and nothing is
// ever written through a link. The private folders go with this; one left by a run that was
// killed is removed by the next.
class DownloadFiles final
{
public:
    DownloadFiles();
    ~DownloadFiles();

    // A private path in directory to write name under until it is complete, taken until
    // released; empty when there is none.
    QString reservePart(const QString &directory, const QString &name);
    // A private folder of its own in directory, for a page written with the folder of its
    // parts beside it; empty when none can be made.
    QString reserveFolder(const QString &directory);
    // The path is no longer written.
    void release(const QString &partPath) { m_writing.remove(partPath); }

    // Moves a whole file into directory under a free name made from name; the path it took,
    // or empty when it found none.
    QString moveOut(const QString &partPath, const QString &directory, const QString &name);
    // Moves a whole file onto the place the user chose, replacing the entry there (never
    // writing through it). A page's parts' folder in partFolder moves beside it, and an
    // earlier one of that name goes. False when either move failed.
    bool moveOnto(const QString &partPath, const QString &chosenPath, const QString &partFolder);

private:
    QString partialFolder(const QString &directory);
    bool moveParts(const QString &partPath, const QString &directory, const QString &partFolder);

    // This run's private folder in each download folder used.
    std::map<QString, std::unique_ptr<QTemporaryDir>> m_partial;
    // Files that downloads under way are writing.
    QSet<QString> m_writing;
};

#pragma once

#include <QSet>
#include <QString>

// The names downloads are saved under. Pure rules, but for the look at the folder.
namespace DownloadNames {

// A name is never longer than this, in bytes of UTF-8, so that with " (n)" and the
// temporary suffixes it still fits the file system's 255.
inline constexpr int maxBytes = 200;

// The name a download is saved under, from the one its server suggests: the last path
// element, without control or formatting characters (a right-to-left override would make
// "invoice\u202Efdp.sh" read as a PDF), without leading dots (no hidden files), shortened
// to maxBytes keeping its extension; "download" when nothing is left. It never holds a "/".
QString visible(const QString &suggested);

// The name a page is offered under when it is saved or printed, with the suffix: its title,
// any "/" in it replaced rather than taken for a folder ("A/B results" is not "B results");
// for a page without a title (named by its address) the address's last part, or its host;
// then as visible() makes it, "download" when nothing is left.
QString forPage(const QString &title, const QString &address, const QString &suffix);

// Whether an entry of that path exists in any form: a file, a folder, or a link, even one
// that leads nowhere. Links are never followed.
bool taken(const QString &path);

// A name in directory made from name that no entry there has (see taken) and that is not
// among busy (full paths being written): "a (1).tar.gz" for a taken "a.tar.gz". Empty when
// none is free after many tries.
QString freeName(const QString &directory, const QString &name, const QSet<QString> &busy);

// The folder a file is offered in or saved to: the one given, else the user's download
// folder. Never the home folder itself, where a download would sit among (and could replace
// the meaning of) the user's own files: ~/Downloads then.
QString folder(const QString &given = QString());

// Where a save or print dialog first offers to write a file suggested as name: a visible,
// free name in the download folder, which is made if it is not there (the dialogs would
// otherwise ask about it in a loop of their own).
QString offeredPath(const QString &suggested);

// The start of the name of a run's private folder of downloads being written
// (".tessarvine-partial-<pid>-<random>").
QString partialPrefix();
// The private folders of earlier runs that are no longer running, inside directory.
void removeLeftovers(const QString &directory);

} // namespace DownloadNames

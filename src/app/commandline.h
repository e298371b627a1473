#pragma once

#include <optional>
#include <QString>
#include <QStringList>

class QDir;

// The command line: `tessarvine [OPTION]... [ADDRESS]...`. Pure rules, no widgets.
namespace CommandLine {

enum class Action { Run, Help, Version, Refuse };

struct Request
{
    Action action = Action::Run;
    // The addresses to open, one tab each, left to right.
    QStringList addresses;
    // Why the command line was refused: one line.
    QString problem;
    // --sleep-after: how long a tab is covered before it sleeps; 0 never.
    std::optional<qint64> sleepAfterMs;
    // --new-instance: a browser of its own, even while one runs on this display.
    bool newInstance = false;
    // --filter-list FILE (any number): lists of the same syntax as the ones shipped.
    QStringList filterLists;
    // --no-content-blocking: ads and trackers load, for this run.
    bool noContentBlocking = false;
};

// A duration as the command line takes it: "30s", "5m", "2h", or "0"; in milliseconds.
std::optional<qint64> duration(const QString &text);

// What the arguments after the program's name ask for. "--" ends the options, so that an
// address may begin with a dash.
Request parse(const QStringList &arguments);

// How many of argv come before "--" (the program's name included): those are options,
// Qt's among them; what follows is addresses only, never shown to Qt.
int optionCount(int argc, char *argv[]);

// An argument as text. A name that is not UTF-8 cannot be text; when it names a file, that
// file's address stands for it, with the name's bytes escaped.
QString argumentText(const QByteArray &argument, const QDir &workingDirectory);

// An argument as the address box takes a typed address, except that a local file or
// folder named by a path (relative to the working directory, too) opens from disk.
QString addressFor(const QString &argument, const QDir &workingDirectory);
// The addresses of the arguments that open a tab, in order; each one refused as it would be
// typed opens none, and a line in problems says why.
QStringList addressesToOpen(
    const QStringList &arguments, const QDir &workingDirectory, QStringList &problems);

QString usage();
// The program's version, then the engine's as it runs (see EngineProfile::version()).
QString version(const QString &engine);

} // namespace CommandLine

#pragma once

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
};

// What the arguments after the program's name ask for. "--" ends the options, so that an
// address may begin with a dash.
Request parse(const QStringList &arguments);

// An argument as the address box takes a typed address, except that a local file or
// folder named by a path (relative to the working directory, too) opens from disk.
QString addressFor(const QString &argument, const QDir &workingDirectory);

QString usage();
QString version();

} // namespace CommandLine

#include "main_window/commandline.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QUrl>
#include <unistd.h>

namespace CommandLine {

Request parse(const QStringList &arguments)
{
    Request request;
    bool options = true;
    for (const QString &argument : arguments) {
        if (options && argument == u"--") {
            options = false;
        } else if (options && (argument == u"-h" || argument == u"--help")) {
            request.action = Action::Help;
            return request;
        } else if (options && (argument == u"-v" || argument == u"--version")) {
            request.action = Action::Version;
            return request;
        } else if (options && argument.startsWith(u'-')) {
            request.action = Action::Refuse;
            request.problem = QStringLiteral("tessarvine: unknown option '%1'").arg(argument);
            return request;
        } else {
            request.addresses << argument;
        }
    }
    return request;
}

int optionCount(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--") == 0)
            return i;
    return argc;
}

QString argumentText(const QByteArray &argument, const QDir &workingDirectory)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(argument);
    if (!utf8.hasError() || argument.startsWith('-'))
        return text;
    const QByteArray path = argument.startsWith('/')
        ? argument
        : QFile::encodeName(workingDirectory.absolutePath()) + '/' + argument;
    if (::access(path.constData(), F_OK) != 0)
        return text;
    return QStringLiteral("file://") + QString::fromLatin1(path.toPercentEncoding("/"));
}

QString addressFor(const QString &argument, const QDir &workingDirectory)
{
    // A URL is never taken for a file, even where a file of that name exists.
    if (argument.isEmpty() || argument.contains(QStringLiteral("://")))
        return argument;
    const QFileInfo file(workingDirectory, argument);
    if (!file.exists())
        return argument;
    return QUrl::fromLocalFile(file.absoluteFilePath()).toString();
}

QString usage()
{
    return QStringLiteral(
        "Usage: tessarvine [OPTION]... [ADDRESS]...\n"
        "Opens each address in a tab of its own, left to right, the last one active;\n"
        "without an address, the start page. An address is taken as typed into the\n"
        "address box; a local file may be named by its path.\n"
        "\n"
        "  -h, --help     show this help and exit\n"
        "  -v, --version  show the version and exit\n"
        "  --             take every further argument as an address\n");
}

QString version()
{
    return QStringLiteral("Tessarvine " TESSARVINE_VERSION "\n");
}

} // namespace CommandLine

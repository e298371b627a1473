#include "app/commandline.h"

#include "common/pagerules.h"

#include <algorithm>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QUrl>
#include <unistd.h>

namespace CommandLine {

std::optional<qint64> duration(const QString &text)
{
    if (text == u"0")
        return 0;
    static const std::pair<QChar, qint64> units[]
        = { { u's', 1000 }, { u'm', 60'000 }, { u'h', 3'600'000 } };
    // No more than a year, compared before multiplying, so that nothing overflows.
    constexpr qint64 longest = 366LL * 86'400'000;
    for (const auto &[unit, ms] : units) {
        const QString digits = text.chopped(text.endsWith(unit) ? 1 : text.size());
        const bool plain = !digits.isEmpty()
            && std::all_of(
                digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        bool number = false;
        const qint64 count = plain ? digits.toLongLong(&number) : -1;
        if (number && count <= longest / ms)
            return count * ms;
    }
    return std::nullopt;
}

Request parse(const QStringList &arguments)
{
    Request request;
    bool options = true;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (options && (argument == u"--sleep-after" || argument.startsWith(u"--sleep-after="))) {
            const QString value = argument.contains(u'=') ? argument.section(u'=', 1)
                : i + 1 < arguments.size()                ? arguments.at(++i)
                                                          : QString();
            request.sleepAfterMs = duration(value);
            if (!request.sleepAfterMs) {
                request.action = Action::Refuse;
                request.problem = QStringLiteral(
                    "tessarvine: --sleep-after takes a duration such as 30s, 5m or 2h, or 0");
                return request;
            }
        } else if (options && argument == u"--new-instance") {
            request.newInstance = true;
        } else if (options && argument == u"--no-content-blocking") {
            request.noContentBlocking = true;
        } else if (options
            && (argument == u"--filter-list" || argument.startsWith(u"--filter-list="))) {
            const QString file = argument.contains(u'=') ? argument.section(u'=', 1)
                : i + 1 < arguments.size()               ? arguments.at(++i)
                                                         : QString();
            if (file.isEmpty() || !QFileInfo(file).isFile()) {
                request.action = Action::Refuse;
                request.problem = QStringLiteral("tessarvine: --filter-list takes a list's file");
                return request;
            }
            request.filterLists << file;
        } else if (options && argument == u"--") {
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

QStringList addressesToOpen(
    const QStringList &arguments, const QDir &workingDirectory, QStringList &problems)
{
    QStringList addresses;
    for (const QString &argument : arguments) {
        const QString address = addressFor(argument, workingDirectory);
        if (const auto refused = PageRules::givenRefusal(address)) {
            QString shown = address.left(80);
            if (shown.size() < address.size())
                shown += QStringLiteral("...");
            problems << QStringLiteral("tessarvine: %1: %2").arg(refused->why, shown);
            continue;
        }
        addresses << address;
    }
    return addresses;
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
        "address box; a local file may be named by its path. While Tessarvine runs on\n"
        "this display, the addresses open as new tabs of its window instead (without\n"
        "an address, one new tab).\n"
        "\n"
        "  --filter-list FILE\n"
        "                 also block what the list in FILE names (Adblock Plus syntax);\n"
        "                 may be given more than once\n"
        "  --new-instance a browser of its own, with a window of its own\n"
        "  --no-content-blocking\n"
        "                 load ads and trackers too, for this run\n"
        "  --sleep-after DURATION\n"
        "                 a tab covered this long (30s, 5m, 2h; 30m if not given) sleeps:\n"
        "                 its page is let go, and loads again when the tab is activated;\n"
        "                 covered a sixth of it, it is frozen. 0: tabs never rest\n"
        "  -h, --help     show this help and exit\n"
        "  -v, --version  show the version and exit\n"
        "  --             take every further argument as an address\n");
}

QString version(const QString &engine)
{
    return QStringLiteral("Tessarvine " TESSARVINE_VERSION "\n") + engine + u'\n';
}

} // namespace CommandLine

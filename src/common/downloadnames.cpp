#include "common/downloadnames.h"

#include <cerrno>
#include <csignal>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <sys/stat.h>
#include <unistd.h>

namespace DownloadNames {

namespace {

constexpr int maxSuffixBytes = 20;
constexpr int maxTries = 10000;

// Characters that would make a name lie or that a file name cannot hold: controls
// (BEL, ESC, a newline), formatting (bidirectional overrides and isolates, zero-width
// joiners), line and paragraph separators, and halves of broken surrogate pairs.
bool unwanted(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Other_Surrogate:
    case QChar::Other_NotAssigned:
        return true;
    default:
        return c == u'/';
    }
}

QString cleaned(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A whole surrogate pair stands for one character; its halves are judged together.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            const char32_t ucs = QChar::surrogateToUcs4(c, text.at(i + 1));
            const auto category = QChar::category(ucs);
            if (category != QChar::Other_Format && category != QChar::Other_NotAssigned)
                result.append(text.mid(i, 2));
            ++i;
            continue;
        }
        if (!unwanted(c))
            result.append(c);
    }
    return result;
}

// The longest start of text that takes at most bytes of UTF-8, never half a pair.
QString cut(const QString &text, qsizetype bytes)
{
    qsizetype used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const qsizetype step = text.at(end).isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
        const qsizetype size = text.mid(end, step).toUtf8().size();
        if (used + size > bytes)
            break;
        used += size;
        end += step;
    }
    return text.left(end);
}

} // namespace

QString visible(const QString &suggested)
{
    const qsizetype slash = suggested.lastIndexOf(u'/');
    QString name = cleaned(suggested.mid(slash + 1)).trimmed();
    qsizetype lead = 0;
    while (lead < name.size() && (name.at(lead) == u'.' || name.at(lead).isSpace()))
        ++lead;
    name.remove(0, lead);
    if (name.isEmpty())
        return QStringLiteral("download");
    if (name.toUtf8().size() <= maxBytes)
        return name;
    // Too long: the extension stays, when there is a short one.
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString suffix = dot > 0 ? name.mid(dot) : QString();
    if (!suffix.isEmpty() && suffix.toUtf8().size() <= maxSuffixBytes)
        return cut(name.left(dot), maxBytes - suffix.toUtf8().size()).trimmed() + suffix;
    return cut(name, maxBytes).trimmed();
}

QString forPage(const QString &title, const QString &address, const QString &suffix)
{
    QString base = title;
    if (base.isEmpty() || base == address) {
        const QUrl url(address);
        base = url.fileName().isEmpty() ? url.host() : url.fileName();
    }
    base.replace(u'/', u'_');
    return visible(visible(base) + u'.' + suffix);
}

bool taken(const QString &path)
{
    struct stat entry;
    return ::lstat(QFile::encodeName(path).constData(), &entry) == 0;
}

QString freeName(const QString &directory, const QString &name, const QSet<QString> &busy)
{
    const QDir dir(directory);
    const auto free = [&](const QString &candidate) {
        const QString path = dir.filePath(candidate);
        return !taken(path) && !busy.contains(path);
    };
    if (free(name))
        return name;
    // "a.tar.gz" becomes "a (1).tar.gz"; "README" becomes "README (1)".
    const QFileInfo info(name);
    const bool split = !info.baseName().isEmpty() && !info.completeSuffix().isEmpty();
    const QString base = split ? info.baseName() : name;
    const QString suffix = split ? u'.' + info.completeSuffix() : QString();
    for (int n = 1; n < maxTries; ++n) {
        const QString candidate = base + QStringLiteral(" (%1)").arg(n) + suffix;
        if (free(candidate))
            return candidate;
    }
    return QString();
}

QString folder(const QString &given)
{
    const QString chosen = given.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::DownloadLocation)
        : given;
    if (chosen.isEmpty()
        || QDir::cleanPath(QDir(chosen).absolutePath()) == QDir::cleanPath(QDir::homePath()))
        return QDir::home().filePath(QStringLiteral("Downloads"));
    return chosen;
}

QString offeredPath(const QString &suggested)
{
    const QString directory = folder();
    QDir().mkpath(directory);
    const QString name = visible(suggested);
    const QString free = freeName(directory, name, {});
    return QDir(directory).filePath(free.isEmpty() ? name : free);
}

QString partialPrefix()
{
    return QStringLiteral(".tessarvine-partial-");
}

void removeLeftovers(const QString &directory)
{
    const QDir dir(directory);
    for (const QString &name : dir.entryList({ partialPrefix() + u'*' },
             QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        // ".tessarvine-partial-<pid>-<random>": the run that made it has ended.
        const pid_t pid = name.mid(partialPrefix().size()).section(u'-', 0, 0).toInt();
        struct stat entry;
        const QString path = dir.filePath(name);
        if (pid <= 0 || ::lstat(QFile::encodeName(path).constData(), &entry) != 0
            || !S_ISDIR(entry.st_mode) || entry.st_uid != ::getuid())
            continue;
        if (::kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        QDir(path).removeRecursively();
    }
}

} // namespace DownloadNames

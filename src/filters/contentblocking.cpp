#include "filters/contentblocking.h"

#include "filters/domains.h"
#include "filters/engine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Where Debian's uBlock Origin packages keep the same lists, updated through apt.
const char *const packagedCopies[] = {
    "/usr/share/chromium/extensions/ublock-origin/assets/thirdparties/easylist",
    "/usr/share/mozilla/extensions/{ec8030f7-c20a-464f-9b0e-13a3a9e97384}/"
    "uBlock0@raymondhill.net/assets/thirdparties/easylist",
};

// The lists installed with the program: beside it in the build tree, under share/ when
// installed.
QString shippedList(const QString &file)
{
    const QString dir = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    for (const QString &candidate : { QString(dir + u"/filters/" + file),
             QString(dir + u"/../share/tessarvine/filters/" + file) }) {
        if (QFileInfo::exists(candidate))
            return QDir::cleanPath(candidate);
    }
    return QString();
}

std::string hostOf(const QUrl &url)
{
    return url.host(QUrl::FullyEncoded).toLower().toStdString();
}

} // namespace

QList<ContentBlocking::List> ContentBlocking::lists(const QStringList &ownFiles)
{
    QList<List> found;
    for (const auto &[file, name] :
        { std::pair { QStringLiteral("easylist.txt"), QStringLiteral("EasyList") },
            { QStringLiteral("easyprivacy.txt"), QStringLiteral("EasyPrivacy") } }) {
        QFileInfo newest(shippedList(file));
        for (const char *copy : packagedCopies) {
            const QFileInfo other(QString::fromUtf8(copy) + u'/' + file);
            if (other.isFile()
                && (!newest.isFile() || other.lastModified() > newest.lastModified()))
                newest = other;
        }
        if (newest.isFile())
            found.append({ newest.filePath(), name, newest.lastModified() });
    }
    for (const QString &own : ownFiles) {
        const QFileInfo info(own);
        found.append({ info.absoluteFilePath(), info.fileName(), info.lastModified() });
    }
    return found;
}

ContentBlocking::Reading ContentBlocking::startReading(const QList<List> &lists)
{
    if (lists.isEmpty())
        return {};
    QStringList paths;
    for (const List &list : lists)
        paths.append(list.path);
    return std::async(std::launch::async, [paths] {
        // Behind the window's and the engine's own start-up, on a machine of few cores: a
        // page waits for the lists only when it asks for something before they are in.
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 19);
        auto engine = std::make_shared<Filters::Engine>();
        for (const QString &path : paths) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                engine->add(file.readAll().toStdString());
        }
        engine->finish();
        return std::shared_ptr<const Filters::Engine>(std::move(engine));
    }).share();
}

ContentBlocking::ContentBlocking(Reading reading, QObject *parent)
    : QObject(parent)
    , m_enabled(reading.valid())
    , m_engine(std::move(reading))
{
    if (m_enabled)
        m_notice = std::async(std::launch::async, [this] {
            m_engine.wait();
            QMetaObject::invokeMethod(this, &ContentBlocking::listsRead, Qt::QueuedConnection);
        });
}

ContentBlocking::~ContentBlocking()
{
    // The threads end before the lists go.
    if (m_notice.valid())
        m_notice.wait();
}

bool ContentBlocking::ready() const
{
    return !m_enabled || m_engine.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

const Filters::Engine *ContentBlocking::engine() const
{
    return m_enabled ? m_engine.get().get() : nullptr;
}

bool ContentBlocking::allowedOn(const QUrl &page) const
{
    const auto site = Site::of(page);
    return site && m_allowed.contains(*site);
}

void ContentBlocking::setAllowed(const QUrl &page, bool allowed)
{
    if (const auto site = Site::of(page)) {
        if (allowed)
            m_allowed.insert(*site);
        else
            m_allowed.remove(*site);
    }
}

bool ContentBlocking::blocks(const QUrl &request, const QUrl &page, Filters::Kind kind) const
{
    const Filters::Engine *rules = engine();
    const QString scheme = request.scheme();
    if (!rules || allowedOn(page)
        || !(scheme == u"http" || scheme == u"https" || scheme == u"ws" || scheme == u"wss"))
        return false;
    const std::string url = request.toString(QUrl::FullyEncoded).toStdString();
    const std::string host = hostOf(request);
    const std::string pageUrl = page.toString(QUrl::FullyEncoded).toStdString();
    const std::string pageHost = hostOf(page);
    return rules->blocks(
        { url, host, pageUrl, pageHost, kind, Filters::isThirdParty(host, pageHost) });
}

ContentBlocking::Hiding ContentBlocking::hiding(const QUrl &page) const
{
    const Filters::Engine *rules = engine();
    if (!rules || allowedOn(page) || !Site::of(page))
        return {};
    const std::string url = page.toString(QUrl::FullyEncoded).toStdString();
    const std::string host = hostOf(page);
    if (rules->pageExcepted(url, host, Filters::Document)
        || rules->pageExcepted(url, host, Filters::ElementHide))
        return {};
    const bool generic = !rules->pageExcepted(url, host, Filters::GenericHide);
    const Filters::Engine::Hiding found = rules->hiding(host, generic);
    Hiding hiding { QString::fromStdString(found.css), generic, {} };
    for (const std::string &selector : found.kept)
        hiding.kept.append(QString::fromStdString(selector));
    return hiding;
}

QStringList ContentBlocking::genericNames() const
{
    QStringList names;
    if (const Filters::Engine *rules = engine()) {
        names.reserve(qsizetype(rules->genericNames().size()));
        for (const std::string &name : rules->genericNames())
            names.append(QString::fromStdString(name));
    }
    return names;
}

QString ContentBlocking::summary() const
{
    const Filters::Engine *rules = engine();
    if (!rules)
        return tr("Content blocking: off");
    const auto counts = rules->counts();
    return tr("Content blocking: %1 network rules, %2 hiding rules, %3 left out")
        .arg(counts.network)
        .arg(counts.hiding)
        .arg(counts.skipped);
}

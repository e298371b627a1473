#include "hosted/engineprofile.h"

#include "common/pagerules.h"
#include "common/permissionanswers.h"
#include "common/progressbatch.h"
#include "hosted/downloads/downloadsaver.h"
#include "hosted/downloads/engineroutes.h"
#include "hosted/pagefilter.h"
#include "hosted/questions/desktopnotifications.h"
#include "hosted/webenginepageview.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLocale>
#include <QTimer>
#include <qtwebenginecoreglobal.h>
#include <QWebEngineDownloadRequest>
#include <QWebEngineNotification>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

namespace {

// A page may name a FIFO or a device as a frame, an image or a script: the engine would
// open it on a worker of its own and wait for ever, and the program could not end. Only
// files and folders are read, whatever asks.
class LocalFileGuard final : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (!PageRules::mayReadLocal(info.requestUrl()))
            info.block(true);
    }
};

} // namespace

EngineProfile::EngineProfile(ContentBlocking::Reading blocking, QObject *parent)
    : QObject(parent)
    , m_blocking(new ContentBlocking(std::move(blocking), this))
    , m_profile(new QWebEngineProfile(this))
    , m_downloads(new DownloadSaver(this))
{
    m_routes = new EngineRoutes(this);
    // Every download the engine asks for, in one place and in this order: one asked for
    // again as the engine would resume it (its connection broke) has failed and is never
    // taken for a page's new download; a page or link the user chose a place for goes
    // there, whichever page it came from; any other goes to the page that asked for it.
    connect(m_profile, &QWebEngineProfile::downloadRequested, this,
        [this](QWebEngineDownloadRequest *download) {
            if (!m_downloads->resume(download) && !m_downloads->saveExpected(download))
                m_routes->route(download);
        });
    m_progress = new ProgressBatch(this);
    m_permissions = std::make_unique<PermissionAnswers>();
    // Shown only for a site the user allowed, as the engine asks before it shows any.
    m_profile->setNotificationPresenter(
        [notifier = new DesktopNotifier(this)](std::unique_ptr<QWebEngineNotification> shown) {
            notifier->present(std::move(shown));
        });
    m_profile->setUrlRequestInterceptor(new LocalFileGuard(this));
    connect(m_blocking, &ContentBlocking::listsRead, this, [this] {
        QWebEngineScript names;
        names.setName(QStringLiteral("tessarvine-generic"));
        names.setInjectionPoint(QWebEngineScript::DocumentCreation);
        names.setWorldId(QWebEngineScript::ApplicationWorld);
        names.setRunsOnSubFrames(false);
        names.setSourceCode(PageFilter::genericScript(m_blocking->genericNames()));
        m_profile->scripts()->insert(names);
    });
    configure();
}

// What pages may do, and what the engine does for them.
void EngineProfile::configure()
{
    QWebEngineSettings *settings = m_profile->settings();
    // Without this the engine drops script pop-ups itself and the host never hears of them.
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    // A local page (a saved page, a download opened from the list) reads no other local
    // file, as in mainstream browsers, and so has nothing of the user's to send; the web's
    // images, styles and scripts it shows, as a saved page needs.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    // A PDF shows in its tab, with the engine's own viewer, rather than being saved.
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    settings->setAttribute(QWebEngineSettings::PdfViewerEnabled, true);
    // Text fields are checked in the user's language where a dictionary for it was built.
    if (const auto language = spellingLanguage(QLocale::system(), dictionaries())) {
        m_profile->setSpellCheckLanguages({ *language });
        m_profile->setSpellCheckEnabled(true);
    }
    // Asked of the window, which grants it to the tab in front only.
    settings->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
}

EngineProfile::~EngineProfile() = default;

void EngineProfile::findDictionaries()
{
    // Installed, they lie under share/ beside bin/ (/usr, /usr/local or ~/.local alike); in
    // the build tree, beside the program, where the engine looks without being told.
    // Installed, the system's own dictionaries converted by the package come first, with
    // the English one the program ships among them.
    if (!qEnvironmentVariableIsEmpty("QTWEBENGINE_DICTIONARIES_PATH"))
        return;
    const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath()
        + QStringLiteral("/../share/tessarvine/qtwebengine_dictionaries"));
    if (!QDir(installed).exists())
        return;
    const QDir converted(QStringLiteral(TESSARVINE_CONVERTED_DICTIONARIES));
    const bool anyConverted
        = !converted.entryList({ QStringLiteral("*.bdic") }, QDir::Files).isEmpty();
    qputenv("QTWEBENGINE_DICTIONARIES_PATH",
        QFile::encodeName(anyConverted ? converted.path() : installed));
}

QStringList EngineProfile::dictionaries()
{
    // Where the engine looks: its own variable's folder, else the one beside the program.
    const QString given = qEnvironmentVariable("QTWEBENGINE_DICTIONARIES_PATH");
    const QDir folder(given.isEmpty()
            ? QCoreApplication::applicationDirPath() + QStringLiteral("/qtwebengine_dictionaries")
            : given);
    QStringList names;
    for (const QString &file : folder.entryList({ QStringLiteral("*.bdic") }, QDir::Files))
        names << file.chopped(5);
    return names;
}

std::optional<QString> EngineProfile::spellingLanguage(
    const QLocale &locale, const QStringList &dictionaries)
{
    // The locale's own ("en_US"), else one of its language ("en_GB" for "en_AU"), else
    // English. The C locale, where none was chosen, speaks American English.
    const QString exact = locale.language() == QLocale::C ? QStringLiteral("en_US") : locale.name();
    if (dictionaries.contains(exact))
        return exact;
    const QString language = exact.section(u'_', 0, 0) + u'_';
    for (const QString &name : dictionaries) {
        if (name.startsWith(language))
            return name;
    }
    if (language != u"en_")
        return spellingLanguage(QLocale(QLocale::English, QLocale::UnitedStates), dictionaries);
    return std::nullopt;
}

QString EngineProfile::version()
{
    return QStringLiteral("Qt WebEngine %1 (Chromium %2; security fixes from Chromium %3)")
        .arg(QString::fromLatin1(qWebEngineVersion()),
            QString::fromLatin1(qWebEngineChromiumVersion()),
            QString::fromLatin1(qWebEngineChromiumSecurityPatchVersion()));
}

void EngineProfile::deleteAfterPages(std::unique_ptr<EngineProfile> profile)
{
    if (!profile)
        return;
    QEventLoop loop;
    connect(profile.get(), &QObject::destroyed, &loop, &QEventLoop::quit);
    // Nothing tells when the engine's workers are done with what the pages left them (the
    // file of a download refused as the page went, say): they post back to this thread, and
    // are given a moment to, after the pages' own deletions. Qt WebEngine 6.4 gives no signal
    // for it (no count of pending work, no "idle"), and the order alone (pages first, then
    // their deferred deletions, then the profile) was seen to leave a worker writing into
    // the freed profile; the pause is what keeps that from happening, not a wait for a state.
    QTimer::singleShot(afterPagesMs, profile.release(), &QObject::deleteLater);
    loop.exec();
}

PageViewFactory EngineProfile::factory()
{
    const WebEnginePageView::Parts parts { m_profile, m_downloads, m_routes, m_progress,
        m_permissions.get(), &m_engineWait, m_blocking };
    return [parts](QWidget *parent) -> PageView * { return new WebEnginePageView(parts, parent); };
}

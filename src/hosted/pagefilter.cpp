#include "hosted/pagefilter.h"

#include "filters/contentblocking.h"

#include <optional>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMenu>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <utility>

namespace {

// What a rule calls the engine's kinds of request; none for the page's own document.
std::optional<Filters::Kind> kindOf(QWebEngineUrlRequestInfo::ResourceType type)
{
    using Type = QWebEngineUrlRequestInfo::ResourceType;
    switch (type) {
    case Type::ResourceTypeMainFrame:
    case Type::ResourceTypeNavigationPreloadMainFrame:
        return std::nullopt;
    case Type::ResourceTypeSubFrame:
    case Type::ResourceTypeNavigationPreloadSubFrame:
        return Filters::Subdocument;
    case Type::ResourceTypeStylesheet:
        return Filters::Stylesheet;
    case Type::ResourceTypeScript:
    case Type::ResourceTypeWorker:
    case Type::ResourceTypeSharedWorker:
    case Type::ResourceTypeServiceWorker:
        return Filters::Script;
    case Type::ResourceTypeImage:
    case Type::ResourceTypeFavicon:
        return Filters::Image;
    case Type::ResourceTypeFontResource:
        return Filters::Font;
    case Type::ResourceTypeObject:
    case Type::ResourceTypePluginResource:
        return Filters::Object;
    case Type::ResourceTypeMedia:
        return Filters::Media;
    case Type::ResourceTypeXhr:
        return Filters::XmlHttpRequest;
    case Type::ResourceTypePing:
    case Type::ResourceTypeCspReport:
        return Filters::Ping;
    default:
        return Filters::Other;
    }
}

// A page's blocked addresses kept to list: enough to see what went, bounded.
constexpr int listedBlocked = 50;

// Hides what the sheet names on a page of the host, once per document: in the browser's own
// script world, where the page's scripts cannot reach it. A renderer of another site may
// still run the script of the page before: it does nothing there.
QString hidingScript(const QString &host, const QString &css)
{
    const QString data
        = QString::fromUtf8(QJsonDocument(QJsonArray { host, css }).toJson(QJsonDocument::Compact));
    return QStringLiteral("(() => { const [host, css] = ") + data
        + QStringLiteral("; if (location.hostname !== host || document.tessarvineHidden) return;"
                         " document.tessarvineHidden = true;"
                         " const sheet = new CSSStyleSheet(); sheet.replaceSync(css);"
                         " sheet.tessarvine = true;"
                         " document.adoptedStyleSheets = [...document.adoptedStyleSheets, sheet];"
                         " })();");
}

} // namespace

PageFilter::PageFilter(ContentBlocking &blocking, QWebEnginePage *page)
    : QWebEngineUrlRequestInterceptor(page)
    , m_blocking(blocking)
    , m_page(page)
{
    page->setUrlRequestInterceptor(this);
    connect(&blocking, &ContentBlocking::listsRead, this, [this] {
        if (!std::exchange(m_sheetWaits, false))
            return;
        m_sheetSentTo.clear();
        shown(m_page->url());
    });
}

void PageFilter::headsFor(const QUrl &address)
{
    // Asked again for the same site (the engine's own request for a typed address, a
    // redirect within it): the script it holds stands, unless ads were let through since.
    if (!m_blocking.ready()) {
        m_sheetWaits = true;
        return;
    }
    const QString host = address.host(QUrl::FullyEncoded).toLower();
    const bool allowed = m_blocking.allowedOn(address);
    if (host == m_host && allowed == m_allowed && !m_host.isEmpty())
        return;
    // As the document is made, so that an ad box never shows for a moment.
    m_host = host;
    m_allowed = allowed;
    m_css = m_blocking.hidingCss(address);
    QWebEngineScriptCollection &scripts = m_page->scripts();
    for (const QWebEngineScript &old : scripts.find(QStringLiteral("tessarvine-hiding")))
        scripts.remove(old);
    if (m_css.isEmpty())
        return;
    QWebEngineScript hiding;
    hiding.setName(QStringLiteral("tessarvine-hiding"));
    hiding.setInjectionPoint(QWebEngineScript::DocumentCreation);
    hiding.setWorldId(QWebEngineScript::ApplicationWorld);
    hiding.setRunsOnSubFrames(false);
    hiding.setSourceCode(hidingScript(m_host, m_css));
    scripts.insert(hiding);
}

void PageFilter::shown(const QUrl &address)
{
    // A renderer made for another site before the script was told gets it now, before its
    // page is first drawn in nearly every case.
    // Once a document: a page that writes its own address again and again (pushState) is
    // not sent the sheet each time.
    const QString host = address.host(QUrl::FullyEncoded).toLower();
    if (host == std::exchange(m_sheetSentTo, host))
        return;
    headsFor(address);
    if (!m_css.isEmpty())
        m_page->runJavaScript(hidingScript(m_host, m_css), QWebEngineScript::ApplicationWorld);
}

void PageFilter::loaded()
{
    // The engine may hand a reload the script it held before the sheet was dropped (ads let
    // through for the site): that sheet goes again once the page is there.
    if (m_css.isEmpty())
        m_page->runJavaScript(
            QStringLiteral("document.adoptedStyleSheets = "
                           "document.adoptedStyleSheets.filter(s => !s.tessarvine);"),
            QWebEngineScript::ApplicationWorld);
}

void PageFilter::addToMenu(QMenu *menu)
{
    const QUrl page = m_page->url();
    if (!m_blocking.enabled() || !Site::of(page))
        return;
    menu->addSeparator();
    if (m_count > 0) {
        QMenu *list = menu->addMenu(tr("%n requests blocked", nullptr, m_count));
        for (const QString &address : std::as_const(m_blocked)) {
            // The page chose these addresses: plain text, an ampersand no shortcut.
            QAction *one = list->addAction(QString(address).replace(u'&', QStringLiteral("&&")));
            one->setEnabled(false);
        }
    }
    const bool allowed = m_blocking.allowedOn(page);
    menu->addAction(allowed ? tr("Block ads on this site") : tr("Allow ads on this site"), this,
        [this, page, allowed] {
            m_blocking.setAllowed(page, !allowed);
            headsFor(page);
            m_page->triggerAction(QWebEnginePage::Reload);
        });
}

void PageFilter::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    const auto kind = kindOf(info.resourceType());
    if (!kind || !m_blocking.blocks(info.requestUrl(), info.firstPartyUrl(), *kind))
        return;
    info.block(true);
    ++m_count;
    if (m_blocked.size() < listedBlocked)
        m_blocked.append(info.requestUrl().toString());
    if (*kind & (Filters::Image | Filters::Subdocument | Filters::Object | Filters::Media))
        collapse(info.requestUrl().toString(QUrl::FullyEncoded));
}

void PageFilter::collapse(const QString &address)
{
    // Gathered for a moment, then one script for all of them, in the browser's own world.
    const bool first = m_collapsing.isEmpty();
    if (m_collapsing.size() < listedBlocked)
        m_collapsing.append(address);
    if (!first)
        return;
    QTimer::singleShot(100, this, [this] {
        const QString list = QString::fromUtf8(
            QJsonDocument(QJsonArray::fromStringList(std::exchange(m_collapsing, {})))
                .toJson(QJsonDocument::Compact));
        m_page->runJavaScript(QStringLiteral("(() => { const gone = new Set(") + list
                + QStringLiteral(");"
                                 " for (const e of document.querySelectorAll("
                                 "'img, iframe, frame, object, embed, video, audio'))"
                                 "  if (gone.has(e.currentSrc || e.src || e.data))"
                                 "   e.style.setProperty('display', 'none', 'important'); })()"),
            QWebEngineScript::ApplicationWorld);
    });
}

void PageFilter::documentStarted()
{
    m_sheetSentTo.clear();
    m_count = 0;
    m_blocked.clear();
}

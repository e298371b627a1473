#include "hosted/pagefilter.h"

#include "filters/contentblocking.h"

#include <optional>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
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

QString json(const QJsonArray &array)
{
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

// Hides a page's ads on a page of the host, once per document: the sheet at once, and the
// generic lone class and id rules as its elements show those names (kept aside: the site's
// exceptions), each before the page is next drawn. In the browser's own script world,
// where the page's scripts cannot reach it. A renderer of another site may still run the
// script of the page before: it does nothing there.
QString hidingScript(const QString &host, const ContentBlocking::Hiding &hiding)
{
    return QStringLiteral("(() => { const [host, css, generic, kept] = ")
        + json({ host, hiding.css, hiding.generic, QJsonArray::fromStringList(hiding.kept) })
        + QStringLiteral(
            "; if (location.hostname !== host || document.tessarvineHidden) return;"
            " document.tessarvineHidden = true;"
            " const sheet = new CSSStyleSheet(); sheet.replaceSync(css); sheet.tessarvine = true;"
            " document.adoptedStyleSheets = [...document.adoptedStyleSheets, sheet];"
            " if (!generic) return;"
            " const t = globalThis.tessarvine = globalThis.tessarvine || {};"
            " t.start = () => {"
            "  const keep = new Set(kept), shown = new Set();"
            "  const hide = name => { if (!t.names.has(name) || keep.has(name) || shown.has(name))"
            "   return; shown.add(name);"
            "   try { sheet.insertRule(name + '{display:none!important}', sheet.cssRules.length);"
            "   } catch (e) {} };"
            "  const look = e => { if (e.id) hide('#' + e.id);"
            "   if (e.getAttribute('class')) for (const c of e.classList) hide('.' + c); };"
            "  const scan = node => { if (node.nodeType !== 1) return; look(node);"
            "   if (node.firstElementChild)"
            "    for (const e of node.querySelectorAll('[id],[class]')) look(e); };"
            "  new MutationObserver(records => { for (const r of records) {"
            "   if (r.type === 'attributes') look(r.target);"
            "   else for (let i = 0, n = r.addedNodes; i < n.length; ++i) scan(n[i]); } })"
            "   .observe(document, { childList: true, subtree: true, attributes: true,"
            "    attributeFilter: ['id', 'class'] });"
            "  if (document.documentElement) scan(document.documentElement); };"
            " if (t.names) t.start(); })();");
}

} // namespace

QString PageFilter::genericScript(const QStringList &names)
{
    // Once for the profile, and cheap to load in every document: a Bloom filter of the names
    // rules out nearly every name a page shows at the cost of a hash, and the few it lets
    // through are looked up in the names themselves, kept as one string.
    constexpr quint32 bloomBits = 1u << 18;
    constexpr int probes = 3;
    const auto hashes = [](const QString &name) {
        quint32 hash = 2166136261u;
        for (const QChar c : name)
            hash = (hash ^ c.unicode()) * 16777619u;
        return std::pair { hash, ((hash >> 16) | (hash << 16)) | 1u };
    };
    QByteArray bits(bloomBits / 8, '\0');
    for (const QString &name : names) {
        const auto [first, step] = hashes(name);
        for (quint32 probe = 0; probe < probes; ++probe) {
            const quint32 at = (first + probe * step) & (bloomBits - 1);
            bits[at >> 3] = char(bits[at >> 3] | (1 << (at & 7)));
        }
    }
    const QString list = u'\n' + names.join(u'\n') + u'\n';
    return QStringLiteral("(() => { const t = globalThis.tessarvine = globalThis.tessarvine || {};"
                          " if (t.names) return; const [bits, list] = ")
        + json({ QString::fromLatin1(bits.toBase64()), list })
        + QStringLiteral("; const filter = atob(bits);"
                         " t.names = { has(name) { let h = 2166136261;"
                         "  for (let i = 0; i < name.length; ++i)"
                         "   h = Math.imul(h ^ name.charCodeAt(i), 16777619);"
                         "  h >>>= 0; const step = ((h >>> 16) | (h << 16)) | 1;"
                         "  for (let i = 0; i < ")
        + QString::number(probes)
        + QStringLiteral("; ++i) { const at = (h + Math.imul(i, step)) & ")
        + QString::number(bloomBits - 1)
        + QStringLiteral(";"
                         "   if (!((filter.charCodeAt(at >> 3) >> (at & 7)) & 1)) return false; }"
                         "  return list.includes('\\n' + name + '\\n'); } };"
                         " if (t.start) t.start(); })();");
}

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
    if (!m_blocking.ready()) {
        m_sheetWaits = true;
        return;
    }
    // Asked again for the same site (the engine's own request for a typed address, a
    // redirect within it): the script it holds stands, unless ads were let through since.
    const QString host = address.host(QUrl::FullyEncoded).toLower();
    const bool allowed = m_blocking.allowedOn(address);
    if (host == m_host && allowed == m_allowed && !m_host.isEmpty())
        return;
    // As the document is made, so that an ad box never shows for a moment.
    m_host = host;
    m_allowed = allowed;
    const ContentBlocking::Hiding hiding = m_blocking.hiding(address);
    m_script = hiding.css.isEmpty() && !hiding.generic ? QString() : hidingScript(host, hiding);
    m_generic = hiding.generic;
    QWebEngineScriptCollection &scripts = m_page->scripts();
    for (const QWebEngineScript &old : scripts.find(QStringLiteral("tessarvine-hiding")))
        scripts.remove(old);
    if (m_script.isEmpty())
        return;
    QWebEngineScript script;
    script.setName(QStringLiteral("tessarvine-hiding"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(m_script);
    scripts.insert(script);
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
    if (m_script.isEmpty())
        return;
    m_page->runJavaScript(m_script, QWebEngineScript::ApplicationWorld);
    // The profile's names too, where that renderer never had them: only then, as they are
    // many.
    if (!m_generic)
        return;
    m_page->runJavaScript(
        QStringLiteral("!!(globalThis.tessarvine && globalThis.tessarvine.names)"),
        QWebEngineScript::ApplicationWorld, [self = QPointer(this)](const QVariant &named) {
            if (!self || named.toBool())
                return;
            for (const QWebEngineScript &names :
                self->m_page->profile()->scripts()->find(QStringLiteral("tessarvine-generic")))
                self->m_page->runJavaScript(names.sourceCode(), QWebEngineScript::ApplicationWorld);
        });
}

void PageFilter::loaded()
{
    // The engine may hand a reload the script it held before the sheet was dropped (ads let
    // through for the site): that sheet goes again once the page is there.
    if (m_script.isEmpty())
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

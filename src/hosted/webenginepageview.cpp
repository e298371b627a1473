#include "hosted/webenginepageview.h"

#include "hosted/engineroutes.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineFindTextResult>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <utility>

namespace {

// The engine's own code for an address it cannot make sense of (net::ERR_INVALID_URL).
constexpr int invalidAddressError = -300;
// A typed address the browser refuses to run (net::ERR_DISALLOWED_URL_SCHEME).
constexpr int refusedAddressError = -301;
// The page's renderer process ended without being asked to.
constexpr int pageStoppedError = -1;
// How long a completed page's body markup is waited for.
constexpr int bodyReadPatienceMs = 3000;

// Lock levels as the handlers read them: 0 not secure, above 1 secure.
constexpr int notSecure = 0;
constexpr int secure = 2;

// Read in the application's own script world, where the page's scripts cannot replace
// the getter of innerHTML.
const QString bodyScript = QStringLiteral("document.body ? document.body.innerHTML : null");
// The completed document's body markup and its own title.
const QString completionScript
    = QStringLiteral("[document.body ? document.body.innerHTML : null, document.title]");

// Whether a title is the engine's rendering of an address ("host/path", without "http://";
// a local file's name) rather than a title of the page's own.
bool isStandInTitle(const QString &title, const QUrl &address)
{
    if (title.isEmpty() || address.isEmpty())
        return false;
    if (address.isLocalFile() && title == address.fileName())
        return true;
    const auto plain = [](const QUrl &url) {
        return url.adjusted(QUrl::StripTrailingSlash | QUrl::NormalizePathSegments);
    };
    return title == address.toString() || title == address.toDisplayString()
        || plain(QUrl::fromUserInput(title)) == plain(address);
}

} // namespace

class WebEnginePageView::Page final : public QWebEnginePage
{
public:
    Page(QWebEngineProfile *profile, WebEnginePageView *owner, QObject *parent)
        : QWebEnginePage(profile, parent)
        , m_owner(owner)
    { }

protected:
    QWebEnginePage *createWindow(WebWindowType) override { return m_owner->onCreateWindow(); }

    // The engine's own dialogs are modal to the whole program: a page could hold the window
    // hostage with them. These cover the page alone.
    void javaScriptAlert(const QUrl &origin, const QString &message) override
    {
        m_owner->runDialog(ScriptDialog::Kind::Alert, origin, message);
    }
    bool javaScriptConfirm(const QUrl &origin, const QString &message) override
    {
        return m_owner->runDialog(ScriptDialog::Kind::Confirm, origin, message);
    }
    bool javaScriptPrompt(const QUrl &origin, const QString &message, const QString &defaultValue,
        QString *result) override
    {
        return m_owner->runDialog(
            ScriptDialog::Kind::Prompt, origin, message, defaultValue, result);
    }

private:
    WebEnginePageView *m_owner;
};

WebEnginePageView::WebEnginePageView(EngineRoutes *routes, QWidget *parent)
    : PageView(parent)
    , m_routes(routes)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // A tab that has loaded nothing is a blank page, without the engine behind it yet.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void WebEnginePageView::ensureEngine()
{
    if (m_page)
        return;
    // Made when first needed: the hidden template and a blank tab cost no engine page.
    m_view = new QWebEngineView(this);
    // Owned by the engine view, as the engine's own examples do, so that the page is torn
    // down with the view and always before the profile.
    m_page = new Page(m_routes->profile(), this, m_view);
    m_view->setPage(m_page);
    // Drawn only while it is the view in sight.
    m_view->setHidden(!m_inFront);
    layout()->addWidget(m_view);
    setFocusProxy(m_view);
    m_routes->add(m_page, this);
    // The user's clicks and keys reach the engine's widgets inside the view.
    m_view->installEventFilter(this);

    connect(m_page, &QWebEnginePage::newWindowRequested, this,
        &WebEnginePageView::onNewWindowRequested);
    connect(m_page, &QWebEnginePage::loadingChanged, this, &WebEnginePageView::onLoadingChanged);
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int progress) {
        if (m_loading && progress != m_progress) {
            m_progress = progress;
            m_routes->progressed(this);
        }
    });
    connect(m_page, &QWebEnginePage::titleChanged, this, [this](const QString &title) {
        // Until a page gives a title, the engine reports the page's address as its title;
        // that is not the page's title, and it is screened as an address at completion.
        if (!isStandInTitle(title, m_page->url()) && !isStandInTitle(title, m_page->requestedUrl()))
            emit TitleChange(title);
    });
    // The engine has no status texts of its own; the hovered link's address is the one it
    // reports (and '' when the hover ends).
    connect(m_page, &QWebEnginePage::linkHovered, this,
        [this](const QString &url) { emit StatusTextChange(url); });
    // A certificate error is left unanswered, which the engine takes as a refusal: the page
    // ends as a navigation error and never shows with a lock mark.
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
        [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
            if (status != QWebEnginePage::NormalTerminationStatus)
                onRendererGone();
        });
}

WebEnginePageView::~WebEnginePageView()
{
    // The engine view and its page would otherwise go in QWidget's destructor, when this
    // is no longer a page view: their last signals, and the focus moving away from them,
    // must not reach it then. Script answers still under way are dropped.
    ++m_loadGeneration;
    m_routes->forget(this);
    if (m_page)
        disconnect(m_page, nullptr, this, nullptr);
    delete m_view;
}

QWebEnginePage *WebEnginePageView::page()
{
    ensureEngine();
    return m_page;
}

QWebEngineView *WebEnginePageView::engineView()
{
    ensureEngine();
    return m_view;
}

void WebEnginePageView::Navigate(const QString &address)
{
    if (address.isEmpty())
        return;
    const QUrl url = QUrl::fromUserInput(address);
    // Reported like any failed navigation, and like one, later than the request.
    const auto refuse = [this, address](int code) {
        QMetaObject::invokeMethod(
            this, [this, address, code] { emit NavigateError(address, code); },
            Qt::QueuedConnection);
    };
    // A web address without a host is one the engine drops without a word.
    const bool needsHost = url.scheme() == u"http" || url.scheme() == u"https";
    if (!url.isValid() || (needsHost && url.host().isEmpty())) {
        refuse(invalidAddressError);
        return;
    }
    // A script typed (or pasted) into the address box would run with the page's rights;
    // it is refused rather than run.
    if (url.scheme().compare(u"javascript", Qt::CaseInsensitive) == 0) {
        refuse(refusedAddressError);
        return;
    }
    ensureEngine();
    // The engine starts a load sooner in a view that is on screen: a page asked for before
    // the window first shows (the start page) is loaded as it shows.
    if (!window()->isVisible()) {
        m_loadWhenShown = url;
        return;
    }
    m_loadWhenShown.clear();
    m_page->load(url);
}

void WebEnginePageView::showEvent(QShowEvent *event)
{
    PageView::showEvent(event);
    if (m_loadWhenShown.isValid() && m_page)
        m_page->load(std::exchange(m_loadWhenShown, QUrl()));
    // Shown on top of the other views (a new tab, or the window itself showing): in sight.
    const QWidget *holder = parentWidget();
    if (!holder) {
        m_routes->cameForward(this);
        return;
    }
    const QObjectList &siblings = holder->children();
    for (auto it = siblings.crbegin(); it != siblings.crend(); ++it) {
        if (auto *view = qobject_cast<WebEnginePageView *>(*it); view && !view->isHidden()) {
            if (view == this)
                m_routes->cameForward(this);
            return;
        }
    }
}

bool WebEnginePageView::event(QEvent *event)
{
    // Raised over the other views: in sight.
    if (event->type() == QEvent::ZOrderChange && isVisible())
        m_routes->cameForward(this);
    return PageView::event(event);
}

void WebEnginePageView::tellProgress()
{
    if (m_loading)
        emit ProgressChange(m_progress, 100);
}

void WebEnginePageView::comeForward()
{
    m_inFront = true;
    if (m_view)
        m_view->show();
}

void WebEnginePageView::goBehind()
{
    m_inFront = false;
    if (m_view)
        m_view->hide();
}

void WebEnginePageView::GoBack()
{
    if (m_page && m_page->history()->canGoBack())
        m_page->history()->back();
}

void WebEnginePageView::GoForward()
{
    if (m_page && m_page->history()->canGoForward())
        m_page->history()->forward();
}

void WebEnginePageView::Stop()
{
    m_loadWhenShown.clear();
    if (m_page)
        m_page->triggerAction(QWebEnginePage::Stop);
}

void WebEnginePageView::Reload()
{
    if (m_page)
        m_page->triggerAction(QWebEnginePage::Reload);
}

void WebEnginePageView::setZoomLevel(int level)
{
    if (const auto factor = zoomFactorForLevel(level)) {
        ensureEngine();
        m_page->setZoomFactor(*factor);
        m_zoomLevel = level;
    }
}

void WebEnginePageView::Find(const QString &text, bool backward)
{
    if (!m_page)
        return;
    const auto flags = backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags();
    m_page->findText(text, flags, [self = QPointer(this)](const QWebEngineFindTextResult &result) {
        if (self)
            emit self->FindResult(result.activeMatch(), result.numberOfMatches());
    });
}

QString WebEnginePageView::LocationURL() const
{
    return m_page ? m_page->url().toString() : QString();
}

QString WebEnginePageView::LocationName() const
{
    // Empty until a document was shown, so that a tab whose first load failed still reads
    // as a tab that shows nothing.
    if (!m_shownDocument)
        return QString();
    // The engine's title can still be its stand-in address when a document completes; the
    // title the document gave itself is known by then.
    const QString title = m_page->title();
    if (!m_documentTitle.isEmpty() && isStandInTitle(title, m_page->url()))
        return m_documentTitle;
    return title.isEmpty() ? LocationURL() : title;
}

std::optional<QString> WebEnginePageView::bodyInnerHtml() const
{
    return m_body;
}

void WebEnginePageView::requestBodyInnerHtml(
    QObject *context, std::function<void(const QString &)> reply)
{
    if (!m_page)
        return; // nothing loaded: no body
    const quint64 generation = m_loadGeneration;
    m_page->runJavaScript(bodyScript, QWebEngineScript::ApplicationWorld,
        [self = QPointer(this), guard = QPointer(context), generation, reply = std::move(reply)](
            const QVariant &result) {
            if (!self || !guard || self->m_loadGeneration != generation)
                return;
            if (result.typeId() == QMetaType::QString)
                reply(result.toString());
        });
}

void WebEnginePageView::onLoadingChanged(const QWebEngineLoadingInfo &info)
{
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        ++m_loadGeneration;
        m_body.reset(); // the completed page is being left
        m_documentTitle.clear();
        m_dialogs = 0;
        m_downloadsThisLoad = 0;
        m_loading = true;
        m_progress = 0;
        emit StatusTextChange(info.url().toDisplayString());
        emit ProgressChange(0, 100);
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        onLoadSucceeded();
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        emit NavigateError(info.url().toString(), info.errorCode());
        emit SetSecureLockIcon(notSecure);
        onLoadEnded();
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        // A user's stop, or a navigation that turned into a download: never an error.
        onLoadEnded();
        break;
    }
}

void WebEnginePageView::onLoadSucceeded()
{
    const bool https = m_page->url().scheme() == u"https";
    emit SetSecureLockIcon(https ? secure : notSecure);
    const quint64 generation = m_loadGeneration;
    // The document is complete only once its body markup is in hand, so that the handler
    // reads the markup of this very document, synchronously, as it expects. A page whose
    // own scripts keep its renderer busy never answers: it completes without a body then.
    m_page->runJavaScript(completionScript, QWebEngineScript::ApplicationWorld,
        [self = QPointer(this), generation](const QVariant &result) {
            if (!self)
                return;
            const QVariantList parts = result.toList();
            const QVariant body = parts.value(0);
            self->completeDocument(generation,
                body.typeId() == QMetaType::QString ? std::optional(body.toString()) : std::nullopt,
                parts.value(1).toString());
        });
    QTimer::singleShot(bodyReadPatienceMs, this,
        [this, generation] { completeDocument(generation, std::nullopt, QString()); });
}

void WebEnginePageView::completeDocument(
    quint64 generation, std::optional<QString> body, const QString &title)
{
    if (m_loadGeneration != generation || m_completedGeneration == generation)
        return;
    m_completedGeneration = generation;
    m_body = std::move(body);
    m_documentTitle = title;
    // A page shown counts the downloads of its own load only. A navigation that becomes a
    // download shows no page, and never starts the count afresh.
    m_downloadsUnasked = m_downloadsThisLoad;
    m_shownDocument = true;
    // The navigation's download completes before its document does, as the control the
    // handlers were written for raises them: the lock picture that completion puts into the
    // status bar then stays.
    onLoadEnded();
    emit DocumentComplete(LocationURL());
    // The engine replaces its focus widget after a cross-site navigation; a view that had
    // the focus gets it back.
    if (m_hadFocus && !QApplication::focusWidget() && isVisible())
        m_view->setFocus();
}

void WebEnginePageView::onRendererGone()
{
    // Answers about the dead page will not come; nothing reloads by itself, so a page that
    // crashes its renderer cannot do so in a loop. Entering the address loads it afresh.
    ++m_loadGeneration;
    m_loading = false;
    emit NavigateError(LocationURL(), pageStoppedError);
    emit SetSecureLockIcon(notSecure);
    emit DownloadComplete();
    emit ProgressChange(0, 0);
    emit StatusTextChange(tr("The page stopped working"));
}

void WebEnginePageView::onLoadEnded()
{
    if (!m_loading)
        return;
    m_loading = false;
    emit DownloadComplete();
    emit StatusTextChange(tr("Done"));
    emit ProgressChange(0, 0);
}

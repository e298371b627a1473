#include "hosted/webenginepageview.h"

#include "common/hostnames.h"
#include "common/pagerules.h"
#include "common/progressbatch.h"
#include "filters/contentblocking.h"
#include "hosted/documentcompletion.h"
#include "hosted/downloads/engineroutes.h"
#include "hosted/downloads/pagedownloads.h"
#include "hosted/engineactions.h"
#include "hosted/enginepage.h"
#include "hosted/pagefilter.h"
#include "hosted/pageinput.h"
#include "hosted/pageload.h"
#include "hosted/pageoutput.h"
#include "hosted/questions/leaving.h"
#include "hosted/questions/pagepermissions.h"
#include "hosted/questions/questionwait.h"
#include "hosted/questions/scriptdialogs.h"
#include "hosted/questions/signin.h"

#include <algorithm>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <utility>

WebEnginePageView::WebEnginePageView(const Parts &parts, QWidget *parent)
    : PageView(parent)
    , m_parts(parts)
    , m_route(parts.routes->routeFor(this))
    , m_completion(new DocumentCompletion(*parts.engineWait, this))
    , m_input(new PageInput(m_guards, this))
    , m_wait(new QuestionWait(*parts.engineWait, hooks(), this))
    , m_leaving(new Leaving(*m_wait, this))
    , m_dialogs(new ScriptDialogs(m_guards, *m_wait, *m_leaving, this))
    , m_signIn(new SignIn(m_guards, *m_wait, this))
    , m_downloads(new PageDownloads(m_guards, parts.downloads, this))
    , m_load(new PageLoad(m_completion, m_input, parts.progress, this))
    , m_actions(std::make_unique<EngineActions>(
          EngineActions::View { [this] { return enginePage(); },
              [this](int active, int total) { emit FindResult(active, total); },
              [this] { emit AudioChange(); },
              [this](PageView *tools, bool element) { inspectIn(tools, element); } },
          *m_wait))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // A tab that has loaded nothing is a blank page, without the engine behind it yet.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    connect(m_load, &PageLoad::StatusTextChange, this, &PageView::StatusTextChange);
    connect(m_load, &PageLoad::ProgressChange, this, &PageView::ProgressChange);
    connect(m_load, &PageLoad::NavigateError, this, &PageView::NavigateError);
    connect(m_load, &PageLoad::SetSecureLockIcon, this, &PageView::SetSecureLockIcon);
    connect(m_load, &PageLoad::DownloadComplete, this, &PageView::DownloadComplete);
    connect(m_load, &PageLoad::started, this, [this] {
        m_guards.loadStarted();
        m_leaving->loadStarted();
    });
    connect(m_load, &PageLoad::documentCompleted, this, [this] {
        emit DocumentComplete(LocationURL());
        // The engine replaces its focus widget after a cross-site navigation; a view that
        // had the focus gets it back.
        if (m_wait->focused() && !QApplication::focusWidget() && isVisible())
            m_view->setFocus();
    });
    connect(m_route, &PageRoute::focusEntered, this, [this] {
        m_wait->setFocused(true);
        emit GotFocus();
    });
    connect(m_route, &PageRoute::focusLeft, this, [this] { m_wait->setFocused(false); });
    connect(m_route, &PageRoute::downloadRequested, this,
        [this](QWebEngineDownloadRequest *download, bool byAddress) {
            // A page behind others has no user at it: its script may not save files.
            if (!byAddress && !m_inFront)
                download->cancel();
            else
                m_downloads->download(download);
        });
    connect(m_downloads, &PageDownloads::StatusTextChange, this, &PageView::StatusTextChange);
    connect(m_downloads, &PageDownloads::FileDownload, this, &PageView::FileDownload);
    connect(m_downloads, &PageDownloads::DownloadComplete, this, &PageView::DownloadComplete);
    connect(m_wait, &QuestionWait::StatusTextChange, this, &PageView::StatusTextChange);
    connect(m_wait, &QuestionWait::DialogShown, this, &PageView::DialogShown);
    connect(m_wait, &QuestionWait::mayGo, this, &QObject::deleteLater);
    connect(m_leaving, &Leaving::LeaveAsked, this, &PageView::LeaveAsked);
    connect(m_dialogs, &ScriptDialogs::StatusTextChange, this, &PageView::StatusTextChange);
    connect(m_signIn, &SignIn::StatusTextChange, this, &PageView::StatusTextChange);
}

void WebEnginePageView::ensureEngine()
{
    if (m_page)
        return;
    // Made when first needed: the hidden template and a blank tab cost no engine page.
    m_view = new QWebEngineView(this);
    // Owned by the engine view, as the engine's own examples do, so that the page is torn
    // down with the view and always before the profile.
    EnginePage::Hooks hooks;
    hooks.dialog = [this](PageQuestion::Kind kind, const QString &origin, const QString &message,
                       const QString &defaultValue, QString *value) {
        return m_dialogs->dialog(kind, origin, message, defaultValue, value);
    };
    // Every address the page asks for, so that a download of it is known to be this view's.
    hooks.navigationAsked = [this](const QUrl &url, bool mainFrame) {
        m_route->navigationAsked(url);
        if (mainFrame)
            m_signIn->mainFrameHeadsFor(url);
        if (mainFrame && m_filter)
            m_filter->headsFor(url);
    };
    m_page = new EnginePage(m_parts.profile, std::move(hooks), m_view);
    if (m_parts.blocking && m_parts.blocking->enabled())
        m_filter = new PageFilter(*m_parts.blocking, m_page);
    connect(m_page, &QWebEnginePage::newWindowRequested, this, &WebEnginePageView::onNewWindow);
    m_view->setPage(m_page);
    // Drawn only while it is the view in sight.
    m_view->setHidden(!m_inFront);
    layout()->addWidget(m_view);
    setFocusProxy(m_view);
    m_input->watch(m_view);
    watchRequests();
    m_actions->engineMade(m_page, m_output);
    watchPage();
}

// What the page asks of the browser: its site's questions, printing, saving, its dialogs.
void WebEnginePageView::watchRequests()
{
    // The site's questions, told for the tab to put to the user.
    auto *permissions = new PagePermissions(
        m_page, m_parts.permissions, [this] { return m_guards.allowDialog(); }, this);
    connect(permissions, &PagePermissions::asked, this, &PageView::PermissionAsked);
    connect(permissions, &PagePermissions::withdrawn, this, &PageView::PermissionsWithdrawn);
    m_output = new PageOutput(m_view, m_parts.downloads, [this] { emit InspectRequested(); });
    m_output->setMenuAdditions([this](QMenu *menu) {
        if (m_filter)
            m_filter->addToMenu(menu);
        const bool muted = m_actions->isMuted();
        menu->addAction(muted ? tr("Unmute tab") : tr("Mute tab"), this,
            [this, muted] { m_actions->setMuted(!muted); });
    });
    connect(m_output, &PageOutput::printFinished, this, &PageView::PrintFinished);
    connect(m_output, &PageOutput::saveRequested, this, &PageView::SaveRequested);
    connect(m_output, &PageOutput::statusText, this, &PageView::StatusTextChange);
    connect(m_output, &PageOutput::linkOpened, m_input, &PageInput::menuOpens);
    connect(m_view, &QWebEngineView::printRequested, this, [this] {
        if (m_dialogs->mayPrint())
            emit PrintRequested();
    });

    m_signIn->watch(m_page);
    // The page may be left, as asked; else a sign-in pop-up closes itself when it is done,
    // while a tab the user opened stays.
    connect(m_page, &QWebEnginePage::windowCloseRequested, this, [this] {
        if (m_leaving->pageClosed())
            return;
        if (m_openedByPage && !m_wait->released())
            emit WindowClosing();
    });
}

// What the page does: its loads, full screen, its address, title and hovered link.
void WebEnginePageView::watchPage()
{
    m_load->watch(m_page);
    if (m_filter) {
        connect(m_page, &QWebEnginePage::loadStarted, m_filter, &PageFilter::documentStarted);
        connect(m_page, &QWebEnginePage::loadFinished, m_filter, &PageFilter::loaded);
    }
    connect(m_page, &QWebEnginePage::fullScreenRequested, this,
        [this](QWebEngineFullScreenRequest request) {
            const bool granted = hooks().askFullScreen(request.toggleOn());
            // Leaving is always granted: a page is never kept full screen.
            if (granted || !request.toggleOn())
                request.accept();
            else
                request.reject();
        });
    connect(m_page, &QWebEnginePage::urlChanged, this, [this](const QUrl &url) {
        m_leaving->addressChanged(url);
        if (m_filter)
            m_filter->shown(url);
        emit LocationChange(HostNames::shownAddress(url));
    });
    connect(m_page, &QWebEnginePage::titleChanged, this, [this](const QString &title) {
        // Until a page gives a title, the engine reports the page's address as its title;
        // that is not the page's title, and it is screened as an address at completion.
        if (!PageRules::isStandInTitle(title, m_page->url())
            && !PageRules::isStandInTitle(title, m_page->requestedUrl()))
            emit TitleChange(title);
    });
    // The engine has no status texts of its own; the hovered link's address is the one it
    // reports (and '' when the hover ends). It also reports a hover ending where none began
    // (as a load starts, say), which would wipe what the status bar was telling.
    connect(m_page, &QWebEnginePage::linkHovered, this, [this](const QString &url) {
        m_input->hovered(QUrl(url));
        if (url != std::exchange(m_hoveredLink, url))
            emit StatusTextChange(url.isEmpty() ? url : HostNames::shownAddress(QUrl(url)));
    });
    // A certificate error is left unanswered, which the engine takes as a refusal: the page
    // ends as a navigation error and never shows with a lock mark.
}

WebEnginePageView::~WebEnginePageView()
{
    // The engine view and its page would otherwise go in QWidget's destructor, when this
    // is no longer a page view: their last signals, and the focus moving away from them,
    // must not reach it then. Script answers still under way are dropped.
    m_completion->forgetAnswers();
    delete m_route;
    if (m_page)
        m_parts.routes->pageDeleted();
    if (m_page)
        disconnect(m_page, nullptr, this, nullptr);
    delete m_view;
}

QWebEnginePage *WebEnginePageView::enginePage()
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
    // The user's own act: what it downloads is not the page's doing.
    m_guards.userActed();
    const QUrl url = QUrl::fromUserInput(address);
    if (const auto refusal = PageRules::refusal(url)) {
        // Reported like any failed navigation, and like one, later than the request.
        QMetaObject::invokeMethod(
            this,
            [this, address, refusal = *refusal] {
                emit NavigateError(address, refusal.code);
                emit StatusTextChange(refusal.why);
            },
            Qt::QueuedConnection);
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
    m_leaving->navigateAway(
        [this, url] {
            if (m_filter)
                m_filter->headsFor(url);
            m_page->load(url);
        },
        url);
}

void WebEnginePageView::showEvent(QShowEvent *event)
{
    PageView::showEvent(event);
    if (m_loadWhenShown.isValid() && m_page)
        m_page->load(std::exchange(m_loadWhenShown, QUrl()));
}

void WebEnginePageView::setInFront(bool inFront)
{
    m_inFront = inFront;
    // A page that rests wakes as it comes in sight; one that slept loads again.
    if (inFront && m_page && m_page->rest() != Rest::Awake)
        m_page->setRest(Rest::Awake);
    if (m_view)
        m_view->setVisible(inFront);
    m_wait->setInFront(inFront);
}

PageView::Rest WebEnginePageView::rest(Rest deepest)
{
    if (!m_page)
        return Rest::Awake;
    const bool may = !m_inFront && !m_load->isLoading() && m_load->shownDocument()
        && !m_wait->busy() && !m_downloads->running() && !m_page->recentlyAudible();
    // A form may hold what the user gave the page: that page is frozen at most, never let
    // go; nor deeper than the engine itself recommends.
    const Rest given
        = deepest == Rest::Asleep && m_input->givenSinceShown() ? Rest::Frozen : deepest;
    const Rest wanted = std::min(given, m_page->recommendedRest());
    if (may && wanted > m_page->rest())
        m_page->setRest(wanted);
    return m_page->rest();
}

PageActions &WebEnginePageView::pageActions()
{
    return *m_actions;
}

QString WebEnginePageView::LocationURL() const
{
    if (const auto &failed = m_load->failedAddress())
        return HostNames::shownAddress(*failed);
    return m_page ? HostNames::shownAddress(m_page->url()) : QString();
}

QString WebEnginePageView::LocationName() const
{
    // Empty until a document was shown, so that a tab whose first load failed still reads
    // as a tab that shows nothing.
    if (!m_load->shownDocument())
        return QString();
    if (m_load->failedAddress())
        return LocationURL();
    // The engine's title can still be its stand-in address when a document completes; the
    // title the document gave itself is known by then. A document without a title of its
    // own is named by its address.
    const QString title = m_page->title();
    if (title.isEmpty() || PageRules::isStandInTitle(title, m_page->url()))
        return m_load->documentTitle().isEmpty() ? LocationURL() : m_load->documentTitle();
    return title;
}

bool WebEnginePageView::isLoading() const
{
    return m_load->isLoading();
}

std::optional<QString> WebEnginePageView::bodyInnerHtml() const
{
    return m_load->body();
}

void WebEnginePageView::requestBodyInnerHtml(
    QObject *context, std::function<void(const QString &)> reply)
{
    if (m_page) // nothing loaded: no body
        m_completion->readBody(m_page, context, std::move(reply));
}

void WebEnginePageView::onNewWindow(QWebEngineNewWindowRequest &request)
{
    // The engine opens a link dropped on the page (and not taken by it) in a new window; the
    // user dropped it here to open it here.
    if (const auto dropped = m_input->takeDropToOpenHere();
        dropped && *dropped == request.requestedUrl()) {
        // As if typed: a dropped address is held to the same rules.
        QTimer::singleShot(0, this, [this, address = dropped->toString()] { Navigate(address); });
        return;
    }
    NewWindowRequest asked = m_input->windowAsked(request);
    asked.filtered = !asked.linkInNewTab && m_parts.blocking
        && m_parts.blocking->blocks(request.requestedUrl(), m_page->url(), Filters::Popup);
    const NewWindowRequest answer = hooks().askNewWindow(asked);
    if (answer.Cancel || !answer.ppDisp || answer.ppDisp == this)
        return;
    auto *target = qobject_cast<WebEnginePageView *>(answer.ppDisp);
    // A page may only open into a view of its own profile.
    if (!target || target->m_parts.profile != m_parts.profile)
        return;
    target->m_openedByPage = true;
    request.openIn(target->enginePage());
}

void WebEnginePageView::release()
{
    // The view goes once no dialog of its page waits on the stack (mayGo).
    m_wait->release();
}

void WebEnginePageView::inspectIn(PageView *tools, bool element)
{
    auto *engineTools = qobject_cast<WebEnginePageView *>(tools);
    if (!m_page && !engineTools)
        return;
    QWebEnginePage *toolsPage = engineTools ? engineTools->enginePage() : nullptr;
    if (enginePage()->devToolsPage() != toolsPage)
        m_page->setDevToolsPage(toolsPage);
    if (element && toolsPage)
        m_page->triggerAction(QWebEnginePage::InspectElement);
}

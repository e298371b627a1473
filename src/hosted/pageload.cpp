#include "hosted/pageload.h"

#include "common/progressbatch.h"
#include "common/site.h"
#include "hosted/documentcompletion.h"
#include "hosted/pageinput.h"

#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <utility>

namespace {

// The page's renderer process ended without being asked to.
constexpr int pageStoppedError = -1;

// Lock levels as the handlers read them: 0 not secure, above 1 secure.
constexpr int notSecure = 0;
constexpr int secure = 2;

} // namespace

PageLoad::PageLoad(
    DocumentCompletion *completion, PageInput *input, ProgressBatch *progress, QObject *parent)
    : QObject(parent)
    , m_completion(completion)
    , m_input(input)
    , m_progressBatch(progress)
{
    connect(m_completion, &DocumentCompletion::completed, this, &PageLoad::documentRead);
}

void PageLoad::watch(QWebEnginePage *page)
{
    m_page = page;
    connect(page, &QWebEnginePage::loadingChanged, this, &PageLoad::loadingChanged);
    // A page of another site shows without its lock until its own load succeeds: the lock
    // of the page before it would vouch for a page that never completes.
    connect(page, &QWebEnginePage::urlChanged, this, [this](const QUrl &url) {
        const auto site = Site::of(url);
        if (site != std::exchange(m_site, site))
            emit SetSecureLockIcon(notSecure);
    });
    connect(page, &QWebEnginePage::loadProgress, this, [this](int progress) {
        if (m_loading && progress != m_progress) {
            m_progress = progress;
            tellProgress();
        }
    });
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
        [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
            if (status != QWebEnginePage::NormalTerminationStatus)
                rendererGone();
        });
}

void PageLoad::loadingChanged(const QWebEngineLoadingInfo &info)
{
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        m_completion->forgetAnswers();
        m_body.reset(); // the completed page is being left
        m_documentTitle.clear();
        m_failed.reset();
        emit started();
        m_loading = true;
        m_progress = 0;
        m_startText = info.url().toDisplayString();
        tellProgress();
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        loadSucceeded();
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        emit NavigateError(info.url().toString(), info.errorCode());
        emit SetSecureLockIcon(notSecure);
        // A server's error answer (a 404 page, say) is shown, and completes as a document.
        // Either way the engine shows a document of its own in place of the page.
        m_input->documentShown();
        if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain)
            m_completion->loadSucceeded(m_page);
        else
            failedOnNetwork(info.url());
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        // A user's stop, or a navigation that turned into a download: never an error.
        loadEnded();
        break;
    }
}

// Told with every tab's at the next tick: loads that start or progress together redraw the
// window once, and a load that ends before the tick shows no progress at all.
void PageLoad::tellProgress()
{
    m_progressBatch->progressed(this, [this] {
        if (!m_loading)
            return;
        if (m_startText)
            emit StatusTextChange(*std::exchange(m_startText, std::nullopt));
        emit ProgressChange(m_progress, 100);
    });
}

void PageLoad::loadSucceeded()
{
    m_input->documentShown();
    const bool https = m_page->url().scheme() == u"https";
    emit SetSecureLockIcon(https ? secure : notSecure);
    // The document is complete only once its body markup is in hand, so that the handler
    // reads the markup of this very document, synchronously, as it expects.
    m_completion->loadSucceeded(m_page);
}

void PageLoad::documentRead(const std::optional<QString> &body, const QString &title)
{
    m_body = body;
    m_documentTitle = title;
    // A PDF in the engine's viewer has no title of its own to give: its file name names it.
    if (title.isEmpty() && body && body->contains(QStringLiteral("type=\"application/pdf\"")))
        m_documentTitle = m_page->url().fileName();
    m_shownDocument = true;
    // The navigation's download completes before its document does, as the control the
    // handlers were written for raises them: the lock picture that completion puts into the
    // status bar then stays.
    loadEnded();
    emit documentCompleted();
}

void PageLoad::failedOnNetwork(const QUrl &address)
{
    // No server answered (no network, a host that does not exist): the engine shows a page
    // of its own. The load has ended all the same, and the tab is named by its address, as
    // an untitled page is, rather than saying it loads.
    m_failed = address;
    m_shownDocument = true;
    loadEnded();
    emit documentCompleted();
}

void PageLoad::rendererGone()
{
    // Answers about the dead page will not come; nothing reloads by itself, so a page that
    // crashes its renderer cannot do so in a loop. Entering the address loads it afresh.
    m_completion->forgetAnswers();
    m_loading = false;
    emit NavigateError(m_page->url().toString(), pageStoppedError);
    emit SetSecureLockIcon(notSecure);
    emit DownloadComplete();
    emit ProgressChange(0, 0);
    emit StatusTextChange(tr("The page stopped working"));
}

void PageLoad::loadEnded()
{
    if (!m_loading)
        return;
    m_loading = false;
    emit DownloadComplete();
    emit StatusTextChange(tr("Done"));
    emit ProgressChange(0, 0);
}

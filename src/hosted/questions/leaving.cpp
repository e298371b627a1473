#include "hosted/questions/leaving.h"

#include "common/pageview.h"
#include "hosted/questions/questionwait.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWebEnginePage>
#include <utility>

Leaving::Leaving(QuestionWait &wait, QObject *parent)
    : QObject(parent)
    , m_wait(wait)
{ }

void Leaving::navigateAway(std::function<void()> work, const QUrl &to)
{
    m_wait.whenEngineFree([this, work = std::move(work), to] {
        // The page's beforeunload answers within the patience given to a page being
        // closed; after that, a confirm is the page's own again.
        m_navigatingAway.setRemainingTime(PageView::leavePatienceMs * 2);
        m_navigatingTo = to.adjusted(QUrl::StripTrailingSlash);
        work();
    });
}

void Leaving::addressChanged(const QUrl &url)
{
    // A typed address shows as it starts, before the page is asked; any other address is
    // the navigation done (Back within the page, a commit): nothing waits on a question.
    if (url.adjusted(QUrl::StripTrailingSlash) != m_navigatingTo)
        m_navigatingAway = QDeadlineTimer();
}

bool Leaving::isEnginesLeaveQuestion(const QString &message)
{
    // The engine's own words for a page's beforeunload, untranslated or as Qt translates them.
    static const char *const words
        = "Are you sure you want to leave this page? Changes that you made may not be saved.";
    return message == QLatin1String(words)
        || message == QCoreApplication::translate("QWebEnginePage", words);
}

std::optional<bool> Leaving::confirm(const QString &origin, const QString &message)
{
    // While the page is asked whether it may be left, its confirm is that question: no
    // script of a page leaving runs a dialog of its own. The same question whether the tab
    // closes or the browser moves the page on.
    if ((!m_leaving && m_navigatingAway.hasExpired()) || !isEnginesLeaveQuestion(message))
        return std::nullopt;
    m_navigatingAway = QDeadlineTimer();
    emit LeaveAsked();
    // Asked of the user even past the page's bound on dialogs: the user can always leave.
    m_onScreen = true;
    const bool leave
        = m_wait.waitFor({ PageQuestion::Kind::Leave, origin, {}, {}, false, true }).accepted
        || m_wait.released();
    m_onScreen = false;
    // A close that waits hears the answer now: the engine tells a leave only by closing
    // the page it was asked to close, and nothing more when it moves the page on.
    decided(leave);
    return leave;
}

void Leaving::askToLeave(
    QWebEnginePage *page, int patienceMs, std::function<void(bool leave)> decided)
{
    if (m_leaving) {
        // Asked again while the question is open: both hear the one answer.
        m_leaving = [first = std::move(m_leaving), second = std::move(decided)](bool leave) {
            first(leave);
            second(leave);
        };
        return;
    }
    m_leaving = std::move(decided);
    // The question is on screen already, for the browser's own navigation: its answer is
    // this one too.
    if (m_onScreen)
        return;
    if (!m_patience) {
        m_patience = new QTimer(this);
        m_patience->setSingleShot(true);
        // A page that does not answer is left all the same; not while the user decides.
        connect(m_patience, &QTimer::timeout, this, [this] {
            if (m_wait.busy())
                m_patience->start();
            else
                this->decided(true);
        });
    }
    m_patience->start(patienceMs);
    m_wait.whenEngineFree([page] { page->triggerAction(QWebEnginePage::RequestClose); });
}

bool Leaving::pageClosed()
{
    if (!m_leaving)
        return false;
    decided(true);
    return true;
}

void Leaving::decided(bool leave)
{
    if (!m_leaving)
        return;
    if (m_patience)
        m_patience->stop();
    // After the engine's call has returned: the answer may close the tab.
    QMetaObject::invokeMethod(
        this, [decided = std::exchange(m_leaving, {}), leave] { decided(leave); },
        Qt::QueuedConnection);
}

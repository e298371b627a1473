#include "hosted/questions/pagedialogs.h"

#include "common/pagerules.h"
#include "common/site.h"
#include "hosted/enginewait.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <utility>

PageDialogs::PageDialogs(PageGuards &guards, EngineWait &engine, QObject *parent)
    : QObject(parent)
    , m_guards(guards)
    , m_engine(engine)
{ }

void PageDialogs::watch(QWebEnginePage *page)
{
    connect(page, &QWebEnginePage::authenticationRequired, this,
        [this](const QUrl &url, QAuthenticator *authenticator) {
            // Only the site the user visits asks: the one the main frame heads for last,
            // after any redirect, which is the shown page's own once that has come. A 401
            // comes before its page does, so the page shown is not the one to ask.
            if (const auto site = Site::of(url); site && site == Site::of(m_heading)) {
                signIn(site->shown(), url.scheme() != u"https", authenticator);
                return;
            }
            *authenticator = QAuthenticator();
            emit StatusTextChange(
                tr("A frame of another site asked for a password; it was refused"));
        });
    connect(page, &QWebEnginePage::proxyAuthenticationRequired, this,
        [this](const QUrl &, QAuthenticator *authenticator, const QString &proxyHost) {
            signIn(proxyHost, false, authenticator);
        });
    // The page may be left, as asked; else a sign-in pop-up closes itself when it is done,
    // while a tab the user opened stays.
    connect(page, &QWebEnginePage::windowCloseRequested, this, [this] {
        if (m_leaving)
            leavingDecided(true);
        else if (m_openedByPage && !m_released)
            emit WindowClosing();
    });
}

void PageDialogs::loadStarted()
{
    m_guards.loadStarted();
    m_navigatingAway = QDeadlineTimer();
}

void PageDialogs::navigateAway(std::function<void()> work, const QUrl &to)
{
    whenEngineFree([this, work = std::move(work), to] {
        // The page's beforeunload answers within the patience given to a page being
        // closed; after that, a confirm is the page's own again.
        m_navigatingAway.setRemainingTime(PageView::leavePatienceMs * 2);
        m_navigatingTo = to.adjusted(QUrl::StripTrailingSlash);
        work();
    });
}

void PageDialogs::addressChanged(const QUrl &url)
{
    // A typed address shows as it starts, before the page is asked; any other address is
    // the navigation done (Back within the page, a commit): nothing waits on a question.
    if (url.adjusted(QUrl::StripTrailingSlash) != m_navigatingTo)
        m_navigatingAway = QDeadlineTimer();
}

bool PageDialogs::isEnginesLeaveQuestion(const QString &message)
{
    // The engine's own words for a page's beforeunload, untranslated or as Qt translates them.
    static const char *const words
        = "Are you sure you want to leave this page? Changes that you made may not be saved.";
    return message == QLatin1String(words)
        || message == QCoreApplication::translate("QWebEnginePage", words);
}

bool PageDialogs::mayPrint()
{
    return !m_released && m_inFront && allowDialog();
}

bool PageDialogs::allowDialog()
{
    if (m_guards.allowDialog())
        return true;
    if (m_guards.firstDialogRefused())
        emit StatusTextChange(tr("This page's further dialogs are blocked"));
    return false;
}

void PageDialogs::setInFront(bool inFront)
{
    m_inFront = inFront;
    if (!inFront) {
        answerDialogs();
        return;
    }
    if (std::exchange(m_answeredBehind, false))
        emit StatusTextChange(tr("A dialog of this page was cancelled while its tab was behind"));
}

bool PageDialogs::dialog(PageQuestion::Kind kind, const QString &origin, const QString &message,
    const QString &defaultValue, QString *value)
{
    if (m_released)
        return false;
    // While the page is asked whether it may be left, its confirm is that question: no
    // script of a page leaving runs a dialog of its own. The same question whether the tab
    // closes or the browser moves the page on.
    const bool navigatingAway = !m_navigatingAway.hasExpired();
    if ((m_leaving || navigatingAway) && kind == PageQuestion::Kind::Confirm
        && isEnginesLeaveQuestion(message)) {
        m_navigatingAway = QDeadlineTimer();
        return askLeaving(origin);
    }
    if (!m_inFront) {
        m_answeredBehind = true;
        return false;
    }
    if (!allowDialog())
        return false;
    const PageAnswer answer = waitFor({ kind, origin, message, defaultValue, false, false });
    if (answer.accepted && value)
        *value = answer.value;
    return answer.accepted;
}

void PageDialogs::signIn(const QString &host, bool unencrypted, QAuthenticator *authenticator)
{
    // Wrong credentials ask again; a few times a load, then the site's answer stands.
    if (!m_released && !m_inFront)
        m_answeredBehind = true;
    if (!m_released && m_inFront && m_guards.allowLogin()) {
        const PageAnswer answer = waitFor(
            { PageQuestion::Kind::Login, host, authenticator->realm(), {}, unencrypted, false });
        if (answer.accepted) {
            authenticator->setUser(answer.value);
            authenticator->setPassword(answer.password);
            return;
        }
    }
    // Without this the engine sends empty credentials again and again.
    *authenticator = QAuthenticator();
}

PageAnswer PageDialogs::waitFor(PageQuestion question)
{
    // The leaving question takes the keyboard: the user just acted to leave.
    question.takeFocus = m_focused || question.kind == PageQuestion::Kind::Leave;
    emit DialogShown();
    ++m_dialogsOpen;
    PageAnswer answer;
    if (m_ask) {
        const EngineWait::Question onScreen(m_engine);
        answer = m_ask(question);
    } else {
        answer.accepted = question.kind == PageQuestion::Kind::Leave;
    }
    --m_dialogsOpen;
    if (m_dialogsOpen == 0) {
        if (m_released)
            emit mayGo();
        // The engine goes on once its call into the page returns; the work asked for
        // meanwhile runs after that.
        for (std::function<void()> &work : std::exchange(m_afterDialogs, {}))
            QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
    }
    answer.accepted = answer.accepted && !m_released;
    return answer;
}

bool PageDialogs::answerDialogs()
{
    if (m_dialogsOpen == 0)
        return false;
    if (m_dismiss)
        m_dismiss();
    return true;
}

void PageDialogs::whenEngineFree(std::function<void()> work)
{
    if (m_dialogsOpen == 0) {
        work();
        return;
    }
    answerDialogs();
    m_afterDialogs.append(std::move(work));
}

void PageDialogs::askToLeave(
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
    if (m_leaveOnScreen)
        return;
    if (!m_leavePatience) {
        m_leavePatience = new QTimer(this);
        m_leavePatience->setSingleShot(true);
        // A page that does not answer is left all the same; not while the user decides.
        connect(m_leavePatience, &QTimer::timeout, this, [this] {
            if (m_dialogsOpen > 0)
                m_leavePatience->start();
            else
                leavingDecided(true);
        });
    }
    m_leavePatience->start(patienceMs);
    whenEngineFree([page] { page->triggerAction(QWebEnginePage::RequestClose); });
}

bool PageDialogs::askLeaving(const QString &origin)
{
    emit LeaveAsked();
    // Asked of the user even past the page's bound on dialogs: the user can always leave.
    m_leaveOnScreen = true;
    const bool leave = waitFor({ PageQuestion::Kind::Leave, origin, {}, {}, false, true }).accepted
        || m_released;
    m_leaveOnScreen = false;
    // A close that waits hears the answer now: the engine tells a leave only by closing
    // the page it was asked to close, and nothing more when it moves the page on.
    leavingDecided(leave);
    return leave;
}

void PageDialogs::leavingDecided(bool leave)
{
    if (!m_leaving)
        return;
    if (m_leavePatience)
        m_leavePatience->stop();
    // After the engine's call has returned: the answer may close the tab.
    QMetaObject::invokeMethod(
        this, [decided = std::exchange(m_leaving, {}), leave] { decided(leave); },
        Qt::QueuedConnection);
}

void PageDialogs::tabClosing()
{
    // A dialog of this page waits on the stack: it ends first, and the view goes once the
    // engine's call into the page has returned.
    m_released = true;
    m_afterDialogs.clear();
    answerDialogs();
    if (m_dialogsOpen == 0)
        emit mayGo();
}

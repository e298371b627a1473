#include "hosted/questions/signin.h"

#include "common/pageguards.h"
#include "common/site.h"
#include "hosted/questions/questionwait.h"

#include <QAuthenticator>
#include <QWebEnginePage>

SignIn::SignIn(PageGuards &guards, QuestionWait &wait, QObject *parent)
    : QObject(parent)
    , m_guards(guards)
    , m_wait(wait)
{ }

void SignIn::watch(QWebEnginePage *page)
{
    connect(page, &QWebEnginePage::authenticationRequired, this,
        [this](const QUrl &url, QAuthenticator *authenticator) {
            // Only the site the user visits asks: the one the main frame heads for last,
            // after any redirect, which is the shown page's own once that has come. A 401
            // comes before its page does, so the page shown is not the one to ask.
            if (const auto site = Site::of(url); site && site == Site::of(m_heading)) {
                ask(site->shown(), url.scheme() != u"https", authenticator);
                return;
            }
            *authenticator = QAuthenticator();
            emit StatusTextChange(
                tr("A frame of another site asked for a password; it was refused"));
        });
    connect(page, &QWebEnginePage::proxyAuthenticationRequired, this,
        [this](const QUrl &, QAuthenticator *authenticator, const QString &proxyHost) {
            ask(proxyHost, false, authenticator);
        });
}

void SignIn::ask(const QString &host, bool unencrypted, QAuthenticator *authenticator)
{
    // Wrong credentials ask again; a few times a load, then the site's answer stands.
    if (m_wait.mayAsk() && m_guards.allowLogin()) {
        const PageAnswer answer = m_wait.waitFor(
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

#pragma once

#include <QObject>
#include <QUrl>

class PageGuards;
class QAuthenticator;
class QuestionWait;
class QWebEnginePage;

// A site, or a proxy, asks the user to sign in: only the site the user visits, while its
// tab is in front, a few times a load.
class SignIn final : public QObject
{
    Q_OBJECT
public:
    SignIn(PageGuards &guards, QuestionWait &wait, QObject *parent);

    void watch(QWebEnginePage *page);
    // The main frame is to load an address: a link, a redirect, an address typed. Its site
    // is the one that may ask for a password until the next.
    void mainFrameHeadsFor(const QUrl &url) { m_heading = url; }

signals:
    void StatusTextChange(const QString &Text);

private:
    // Over a connection that is encrypted or not: the authenticator gets the user's name
    // and password, or is made null, so that nothing more is sent.
    void ask(const QString &host, bool unencrypted, QAuthenticator *authenticator);

    PageGuards &m_guards;
    QuestionWait &m_wait;
    QUrl m_heading;
};

#pragma once

#include "hosted/engineprofile.h"
#include "hosted/webenginepageview.h"
#include "support/browsers.h"
#include "support/httpresponder.h"
#include "support/windowdriver.h"
#include "tabs/tabs.h"
#include "window/form1.h"

#include <QCoreApplication>

// Base of the tests that drive the real window on the real engine: each test function
// gets a fresh window whose start page, served by the test's own local server, has loaded.
class EngineTest : public QObject, public WindowDriver
{
    Q_OBJECT
public:
    static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

protected:
    static constexpr int timeout = 20000;

    // Opens the window, blocking what the lists name; false when its start page ("Start")
    // did not load.
    [[nodiscard]] bool openWindow(const QList<ContentBlocking::List> &blocking = {});
    void closeWindow();

    WebEnginePageView *view(int index) const;
    // Navigates the active tab.
    void go(const QString &address);
    // Runs a script in a view's page and waits for its answer; "no answer" after the
    // timeout. The answer is kept in shared state, so a late one never writes into a call
    // that has returned.
    static QVariant evaluate(WebEnginePageView *view, const QString &script);
    // Serves a page whose timer runs the script (with n counting up) a hundred times a
    // millisecond for as long as it is shown; its address.
    QString serveFlood(const QByteArray &eachTime);
    // While a page floods it, the window still answers a click and repaints, again and again.
    void checkWindowAnswers();

    HttpResponder *m_server = nullptr;
    std::unique_ptr<Browser> m_browser;
    EngineProfile *m_profile = nullptr;
    Form1 *m_form = nullptr;
};

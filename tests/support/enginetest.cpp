#include "support/enginetest.h"

#include "tabs/tabs.h"

#include <memory>
#include <QTest>
#include <QWebEnginePage>

bool EngineTest::openWindow(const QList<ContentBlocking::List> &blocking)
{
    m_server = new HttpResponder;
    m_server->page(
        "/start/", "<html><head><title>Start</title></head><body><p>start</p></body></html>");
    const BrowserAddresses addresses { m_server->address("/start/"), m_server->url("") };
    m_browser = blocking.isEmpty()
        ? makeBrowser(addresses)
        : std::make_unique<Browser>(addresses, ContentBlocking::startReading(blocking));
    m_profile = m_browser->engine();
    m_form = &m_browser->form();
    window = m_form;
    m_form->show();
    return QTest::qWaitFor([this] { return caption(1) == u"Start"; }, timeout);
}

void EngineTest::closeWindow()
{
    m_browser.reset();
    delete m_server;
    m_form = nullptr;
    window = nullptr;
    m_profile = nullptr;
    m_server = nullptr;
}

WebEnginePageView *EngineTest::view(int index) const
{
    return static_cast<WebEnginePageView *>(page(index));
}

void EngineTest::go(const QString &address)
{
    if (PageView *active = tabs().frontPage())
        active->Navigate(address);
}

QVariant EngineTest::evaluate(WebEnginePageView *view, const QString &script)
{
    struct Answer
    {
        QVariant value;
        bool done = false;
    };
    const auto answer = std::make_shared<Answer>();
    view->enginePage()->runJavaScript(script, [answer](const QVariant &value) {
        answer->value = value;
        answer->done = true;
    });
    if (!QTest::qWaitFor([&answer] { return answer->done; }, timeout))
        return QStringLiteral("no answer");
    return answer->value;
}

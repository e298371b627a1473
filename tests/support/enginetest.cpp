#include "support/enginetest.h"

#include "tabs/tabs.h"

#include <memory>
#include <QPushButton>
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

QString EngineTest::serveFlood(const QByteArray &eachTime)
{
    m_server->page("/flood",
        "<html><head><title>Flood</title></head><body><script>let n = 0;"
        "setInterval(() => { for (let i = 0; i < 100; ++i) { ++n; "
            + eachTime + " } }, 1);</script></body></html>");
    return m_server->url("/flood");
}

void EngineTest::checkWindowAnswers()
{
    QPushButton button(QStringLiteral("click me"));
    int clicks = 0;
    connect(&button, &QPushButton::clicked, this, [&] { ++clicks; });
    button.show();
    for (int round = 0; round < 5; ++round) {
        QTest::mouseClick(&button, Qt::LeftButton);
        QVERIFY(!m_form->grab().isNull());
        QTRY_COMPARE_WITH_TIMEOUT(clicks, round + 1, timeout);
        QTest::qWait(100); // the page's timer gets its chance between clicks
    }
}

#include "support/enginetest.h"

#include "tab_header/flik.h"
#include "tab_header/headerface.h"

#include <QTest>

bool EngineTest::openWindow()
{
    m_server = new HttpResponder;
    m_server->page(
        "/start/", "<html><head><title>Start</title></head><body><p>start</p></body></html>");
    m_profile = new EngineProfile;
    m_form = new Form1(m_profile->factory(), { m_server->address("/start/"), m_server->url("") });
    m_form->show();
    return QTest::qWaitFor([this] { return caption(1) == u"Start"; }, timeout);
}

void EngineTest::closeWindow()
{
    // The window's pages go before their profile.
    delete m_form;
    delete m_profile;
    delete m_server;
    m_form = nullptr;
    m_profile = nullptr;
    m_server = nullptr;
}

QString EngineTest::caption(int index) const
{
    const ::flik *header = m_form->flik(index);
    return header ? header->StatusBar1->panelText() : QString();
}

WebEnginePageView *EngineTest::view(int index) const
{
    return static_cast<WebEnginePageView *>(m_form->WebBrowser(index));
}

void EngineTest::go(const QString &address)
{
    if (PageView *active = m_form->viewAt(m_form->current))
        active->Navigate(address);
}

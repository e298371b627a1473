// A site's questions on the real engine: whose they are, how long they stay, and what an
// answer holds for; and whose a download no page asked for by address is.
#include "support/enginetest.h"

#include <QFrame>
#include <QHostAddress>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestQuestionsEngine : public EngineTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void aFrameOfAnotherSiteCannotAsk();
    void aQuestionIsTheShownPagesAndItsAnswerHolds();
    void aCoveredTabsScriptDownloadsNothing();

private:
    QFrame *bar(int index) const
    {
        for (auto *frame : view(index)->findChildren<QFrame *>())
            if (frame->accessibleName() == u"Question from the site")
                return frame;
        return nullptr;
    }
    bool asking(int index) const { return bar(index) && bar(index)->isVisible(); }
    QPushButton *allow(int index) const
    {
        for (auto *button : bar(index)->findChildren<QPushButton *>())
            if (button->text() == u"Allow")
                return button;
        return nullptr;
    }
    static QByteArray html(const char *title, const QByteArray &body)
    {
        return "<html><head><title>" + QByteArray(title) + "</title></head><body>" + body
            + "</body></html>";
    }
};

void TestQuestionsEngine::init()
{
    QVERIFY(openWindow());
    QVERIFY(m_server->listenAlso(QHostAddress(QStringLiteral("127.0.0.2"))));
}

void TestQuestionsEngine::cleanup()
{
    closeWindow();
}

// A widget or an advertisement of another site would ask over the page that embeds it, and
// an Allow would then hold wherever that frame is embedded.
void TestQuestionsEngine::aFrameOfAnotherSiteCannotAsk()
{
    const QString frame = m_server->url("/frame").replace("127.0.0.1", "127.0.0.2");
    m_server->page("/frame",
        "<script>Notification.requestPermission().then(a => fetch('/answered?' + a))</script>");
    m_server->page("/embeds", html("Embeds", "<iframe src='" + frame.toUtf8() + "'></iframe>"));
    go(m_server->url("/embeds"));
    QTRY_VERIFY_WITH_TIMEOUT(m_server->requested.contains("/answered?denied"), timeout);
    QVERIFY(!asking(1));
}

void TestQuestionsEngine::aQuestionIsTheShownPagesAndItsAnswerHolds()
{
    const QByteArray ask = "<script>Notification.requestPermission()"
                           ".then(a => document.title = a)</script>";
    m_server->page("/ask", html("Ask", ask));
    go(m_server->url("/ask"));
    QTRY_VERIFY_WITH_TIMEOUT(asking(1), timeout);
    const QString site = m_server->url("/").chopped(1);
    QCOMPARE(bar(1)->findChild<QLabel *>()->text(), site + " wants to show notifications");
    // A click aimed at the page as the bar appears answers nothing.
    QVERIFY(!allow(1)->isEnabled());
    QTRY_VERIFY(allow(1)->isEnabled());
    allow(1)->click();
    QTRY_COMPARE_WITH_TIMEOUT(page(1)->LocationName(), QStringLiteral("granted"), timeout);
    QVERIFY(!asking(1));
    // The same site asks again, on another of its pages: the answer holds, unasked.
    m_server->page("/again", html("Again", ask));
    go(m_server->url("/again"));
    QTRY_COMPARE_WITH_TIMEOUT(page(1)->LocationName(), QStringLiteral("granted"), timeout);
    QVERIFY(!asking(1));

    // Another site asks, then moves on before its load ends (an image that never comes):
    // its question must not stay over the next page, nor be answered there.
    const QString other = m_server->url("/leaves").replace("127.0.0.1", "127.0.0.2");
    m_server->route("/slow.png", { 200, "image/png", "", 60000, {} });
    m_server->page("/next", html("Next", "<img src='/slow.png'>"));
    m_server->page("/leaves",
        html("Leaves",
            "<img src='/slow.png'><script>Notification.requestPermission();"
            "setTimeout(() => location.href = '"
                + m_server->url("/next").toUtf8() + "', 1500)</script>"));
    go(other);
    QTRY_VERIFY_WITH_TIMEOUT(asking(1) && page(1)->isLoading(), timeout);
    QTRY_COMPARE_WITH_TIMEOUT(page(1)->LocationURL(), m_server->url("/next"), timeout);
    QVERIFY(!asking(1));
}

// A covered tab's script clicks a data: link: no page asked for that address, and the user
// acts in another tab. It is not that tab's download, nor the covered one's to make.
void TestQuestionsEngine::aCoveredTabsScriptDownloadsNothing()
{
    m_server->page("/later",
        html("Later",
            "<a id=d download=x.txt href='data:text/plain,hello'>d</a><script>"
            "setTimeout(() => { document.getElementById('d').click(); fetch('/clicked') },"
            " 1500)</script>"));
    go(m_server->url("/later"));
    QTRY_COMPARE_WITH_TIMEOUT(caption(1), QStringLiteral("Later"), timeout);
    openTab();
    // The user is in the new tab: a download charged to the focus would be its.
    page(2)->setFocus();
    QTRY_VERIFY(page(2)->hasFocus());
    int downloads = 0;
    for (const int index : { 1, 2 })
        connect(page(index), &PageView::FileDownload, this, [&downloads] { ++downloads; });
    QTRY_VERIFY_WITH_TIMEOUT(m_server->requested.contains("/clicked"), timeout);
    QTest::qWait(500); // the download would be asked for by now; proving none is taken
    QCOMPARE(downloads, 0);
}

QTEST_MAIN(TestQuestionsEngine)
#include "tst_questions_engine.moc"

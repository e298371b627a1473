// A site's questions on the real engine: whose they are, how long they stay, and what an
// answer holds for; and whose a download no page asked for by address is.
#include "support/enginetest.h"
#include "support/input.h"

#include <QFrame>
#include <QHostAddress>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWebEngineView>

class TestQuestionsEngine : public EngineTest
{
    Q_OBJECT
public:
    static void initMain()
    {
        // A camera for the page to ask for, without a device on the machine.
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--use-fake-device-for-media-stream");
        EngineTest::initMain();
    }

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
    // The camera, which the engine asks about every time: only the browser's memory of
    // the answer can spare the second question.
    const QByteArray ask = "<script>navigator.mediaDevices.getUserMedia({ video: true })"
                           ".then(() => document.title = 'granted',"
                           " () => document.title = 'denied')</script>";
    m_server->page("/ask", html("Ask", ask));
    go(m_server->url("/ask"));
    QTRY_VERIFY_WITH_TIMEOUT(asking(1), timeout);
    const QString site = m_server->url("/").chopped(1);
    QCOMPARE(bar(1)->findChild<QLabel *>()->text(), site + " wants to use your camera");
    QTRY_VERIFY(allow(1)->isEnabled());
    allow(1)->click();
    QTRY_COMPARE_WITH_TIMEOUT(page(1)->LocationName(), QStringLiteral("granted"), timeout);
    QVERIFY(!asking(1));
    // The same site asks again, on another of its pages in another tab (the engine keeps
    // an answer for its own page only): the answer holds, unasked.
    m_server->page("/again", html("Again", ask));
    openTab();
    go(m_server->url("/again"));
    QTRY_COMPARE_WITH_TIMEOUT(page(2)->LocationName(), QStringLiteral("granted"), timeout);
    QVERIFY(!asking(2));
    tabs().activate(1);

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

// A tab's script clicks a data: link every 300 ms: no page asked for that address. In
// front, it is the page's download; covered, it is no one's, however the user acts in the
// tab in front.
void TestQuestionsEngine::aCoveredTabsScriptDownloadsNothing()
{
    m_server->page("/later",
        html("Later",
            "<a id=d download=x.txt href='data:text/plain,hello'>d</a><script>"
            "setInterval(() => { document.getElementById('d').click(); fetch('/clicked') },"
            " 300)</script>"));
    int downloads = 0;
    connect(page(1), &PageView::FileDownload, this, [&downloads] { ++downloads; });
    go(m_server->url("/later"));
    QTRY_VERIFY_WITH_TIMEOUT(downloads > 0, timeout);
    openTab();
    m_server->page("/other", html("Other", "<p style='height:300px'>other</p>"));
    go(m_server->url("/other"));
    QTRY_COMPARE_WITH_TIMEOUT(caption(2), QStringLiteral("Other"), timeout);
    connect(page(2), &PageView::FileDownload, this, [&downloads] { ++downloads; });
    downloads = 0;
    const auto clicked = [this] { return m_server->requested.count("/clicked"); };
    for (int press = 0; press < 4; ++press) {
        const auto before = clicked();
        // Where the engine takes the user's presses.
        QVERIFY(Input::clickFocus(view(2)->engineView()->focusProxy()));
        QTRY_VERIFY_WITH_TIMEOUT(clicked() > before, timeout);
    }
    QCOMPARE(downloads, 0);
}

QTEST_MAIN(TestQuestionsEngine)
#include "tst_questions_engine.moc"

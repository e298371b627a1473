// The source view and the search tab on the real engine, against a local server.
#include "hosted/engineprofile.h"
#include "support/enginetest.h"
#include "support/httpresponder.h"
#include "support/input.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"
#include "tabs/sourceeditor.h"
#include "window/form1.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

class TestSearchSourceEngine : public EngineTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sourceViewFollowsThePage();
    void searchTabSendsItsQuery();

private:
};

void TestSearchSourceEngine::init()
{
    QVERIFY(openWindow());
}

void TestSearchSourceEngine::cleanup()
{
    closeWindow();
}

void TestSearchSourceEngine::sourceViewFollowsThePage()
{
    m_server->page("/second",
        "<html><head><title>Second</title></head><body><h2>second</h2>"
        "<script>document.body.insertAdjacentHTML('beforeend','<i>added</i>')</script></body></"
        "html>");
    SourceEditor *editor = source(1);
    editor->setText("something else");
    press("sc");
    QTRY_COMPARE_WITH_TIMEOUT(editor->text(), QStringLiteral("<p>start</p>"), timeout);
    QVERIFY(editor->isVisible());
    press("sc");
    page(1)->Navigate(m_server->url("/second"));
    QTRY_COMPARE_WITH_TIMEOUT(caption(1), QStringLiteral("Second"), timeout);
    editor->setText("stale");
    press("sc");
    QTRY_VERIFY_WITH_TIMEOUT(editor->text().startsWith("<h2>second</h2>"), timeout);
    QVERIFY(editor->text().endsWith("<i>added</i>"));
}

void TestSearchSourceEngine::searchTabSendsItsQuery()
{
    m_server->page(
        "/search", "<html><head><title>Results</title></head><body>results</body></html>");
    press("mnusearch");
    QCOMPARE(caption(2), QStringLiteral("Search"));
    QVERIFY(Input::clickFocus(headerPart<QLineEdit>(2, "SearchText")));
    Input::type("C# & more");
    Input::key(Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(caption(2), QStringLiteral("Results"), timeout);
    QVERIFY(m_server->requested.contains("/search?hl=en&q=C%23%20%26%20more"));
    QVERIFY(!header(2)->look().searchTab);
    QCOMPARE(page(1)->LocationName(), QStringLiteral("Start"));
}

QTEST_MAIN(TestSearchSourceEngine)
#include "tst_tabmodes_engine.moc"

// A tab's developer tools: a window of their own, drawn by a view the tab's factory makes,
// inspecting the page while shown and letting it go however they close.
#include "support/fakepageview.h"
#include "tabs/devtoolswindow.h"

#include <QPointer>
#include <QTest>

class TestDevToolsWindow : public QObject
{
    Q_OBJECT
private slots:
    void shownInspectedAndLetGo();
};

void TestDevToolsWindow::shownInspectedAndLetGo()
{
    QWidget browser;
    auto *page = new FakePageView(&browser);
    page->name = QStringLiteral("<b>News</b>");
    QList<QPointer<PageView>> made;
    auto *tools = new DevToolsWindow(
        page,
        [&made](QWidget *parent) {
            made << new FakePageView(parent);
            return made.last().data();
        },
        &browser);
    const auto window = [&made] { return made.last() ? made.last()->window() : nullptr; };

    tools->toggle();
    QCOMPARE(made.size(), 1);
    QVERIFY(window()->isVisible());
    // The page's title is text, as a window title is.
    QCOMPARE(window()->windowTitle(), QStringLiteral("Developer tools - <b>News</b>"));
    QCOMPARE(page->inspected.last(), qMakePair(static_cast<PageView *>(made.last()), false));
    tools->toggle();
    QVERIFY(!made.last());
    QCOMPARE(page->inspected.last().first, nullptr);

    // The page's menu: shown again with its element picked, in a window made afresh.
    tools->inspect();
    QCOMPARE(made.size(), 2);
    QCOMPARE(page->inspected.last(), qMakePair(static_cast<PageView *>(made.last()), true));
    // Closed by the user: the page is let go with the window.
    window()->close();
    QTRY_VERIFY(!made.last());
    QCOMPARE(page->inspected.last().first, nullptr);

    // They go with their tab, and a page gone first asks nothing of them.
    tools->toggle();
    delete page;
    tools->toggle();
    delete tools;
    QTRY_VERIFY(!made.last());
}

QTEST_MAIN(TestDevToolsWindow)
#include "tst_devtoolswindow.moc"

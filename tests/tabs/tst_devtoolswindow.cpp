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
    QList<QPointer<PageView>> made;
    auto *tools = new DevToolsWindow(
        page,
        [&made](QWidget *parent) {
            made << new FakePageView(parent);
            return made.last().data();
        },
        &browser);
    const auto window = [&made] { return made.last() ? made.last()->window() : nullptr; };

    // Shown from the page's menu, with its element picked (F12's showing and hiding, and
    // the window's title, are the journey's).
    tools->inspect();
    QCOMPARE(page->inspected.last(), qMakePair(static_cast<PageView *>(made.last()), true));
    // Closed by F12, or by the user: the page is let go each time.
    tools->toggle();
    QVERIFY(!made.last());
    QCOMPARE(page->inspected.last().first, nullptr);
    tools->toggle();
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

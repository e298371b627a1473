// The command line, and the tabs it opens, on fake page views.
#include "app/commandline.h"
#include "support/formfixture.h"
#include "tab_header/flik.h"
#include "tab_header/headerface.h"

#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <unistd.h>

using CommandLine::Action;

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void durations_data();
    void durations();
    void refusedAddressesOpenNoTab();
    void localFilesOpenFromDisk();
    void argumentsAfterDashesAreNeverQts();
    void fileNamesThatAreNotTextStillOpen();
    void addressesOpenOneTabEachTheLastActive();
    void noAddressesOpenTheStartPage();
};

void TestCommandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<QStringList>("addresses");
    QTest::newRow("nothing") << QStringList {} << int(Action::Run) << QStringList {};
    QTest::newRow("addresses in order")
        << QStringList { "one.test", "http://two.test/x?y=1", "three" } << int(Action::Run)
        << QStringList { "one.test", "http://two.test/x?y=1", "three" };
    QTest::newRow("help") << QStringList { "one.test", "--help" } << int(Action::Help)
                          << QStringList { "one.test" };
    QTest::newRow("short version")
        << QStringList { "-v" } << int(Action::Version) << QStringList {};
    QTest::newRow("unknown option") << QStringList { "a.test", "--frobnicate", "b.test" }
                                    << int(Action::Refuse) << QStringList { "a.test" };
    QTest::newRow("dash ends options") << QStringList { "--", "--help", "-x" } << int(Action::Run)
                                       << QStringList { "--help", "-x" };
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QStringList, addresses);
    const CommandLine::Request request = CommandLine::parse(arguments);
    QCOMPARE(int(request.action), action);
    QCOMPARE(request.addresses, addresses);
    if (request.action == Action::Refuse) {
        QCOMPARE(request.problem, QStringLiteral("tessarvine: unknown option '--frobnicate'"));
        QVERIFY(!request.problem.contains(u'\n'));
    }
}

void TestCommandLine::durations_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("ms"); // -1: refused
    QTest::newRow("never") << "0" << qint64(0);
    QTest::newRow("seconds") << "30s" << qint64(30'000);
    QTest::newRow("a year of hours") << "8784h" << qint64(8784) * 3'600'000;
    QTest::newRow("past a year") << "8785h" << qint64(-1);
    // Multiplied first, these overflowed: tabs never rested, or slept after seconds.
    QTest::newRow("overflows") << "3000000000000h" << qint64(-1);
    QTest::newRow("wraps") << "297197543409765h" << qint64(-1);
    QTest::newRow("space") << "5 m" << qint64(-1);
    QTest::newRow("sign") << "+5m" << qint64(-1);
    QTest::newRow("no number") << "m" << qint64(-1);
    QTest::newRow("no unit") << "5" << qint64(-1);
}

void TestCommandLine::durations()
{
    QFETCH(QString, text);
    QFETCH(qint64, ms);
    QCOMPARE(CommandLine::duration(text).value_or(-1), ms);
}

void TestCommandLine::refusedAddressesOpenNoTab()
{
    // Each would open a blank tab stuck at "Loading...", a hundred of them a hundred.
    QStringList problems;
    const QStringList open = CommandLine::addressesToOpen(
        { "a.test", "javascript:alert(1)", "chrome://gpucrash", "view-source:http://a.test/",
            QString(40000, u'x'), "b.test" },
        QDir::current(), problems);
    QCOMPARE(open, (QStringList { "a.test", "b.test" }));
    QCOMPARE(problems.size(), 4);
    QVERIFY(problems.last().size() < 200);
}

void TestCommandLine::localFilesOpenFromDisk()
{
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkpath("sub"));
    QFile page(folder.filePath("sub/page.html"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();
    const QDir here(folder.path());
    const QString file = QUrl::fromLocalFile(folder.filePath("sub/page.html")).toString();
    QCOMPARE(CommandLine::addressFor("sub/page.html", here), file);
    QCOMPARE(CommandLine::addressFor(folder.filePath("sub/page.html"), QDir::root()), file);
    // Anything else is left as typed, for the view to resolve.
    QCOMPARE(CommandLine::addressFor("missing.html", here), QStringLiteral("missing.html"));
    QCOMPARE(CommandLine::addressFor("example.test/sub", here), QStringLiteral("example.test/sub"));
    // A web address is never a file, even where a file of that name exists.
    QVERIFY(QDir(folder.path()).mkpath("http:/sub"));
    QCOMPARE(CommandLine::addressFor("http://sub", here), QStringLiteral("http://sub"));
}

void TestCommandLine::argumentsAfterDashesAreNeverQts()
{
    // Qt is shown the arguments before "--" only: "-reverse" after it is an address.
    QByteArray words[] = { "tessarvine", "-style", "fusion", "--", "-reverse", "a.test" };
    char *argv[] = { words[0].data(), words[1].data(), words[2].data(), words[3].data(),
        words[4].data(), words[5].data() };
    QCOMPARE(CommandLine::optionCount(6, argv), 3);
    QCOMPARE(CommandLine::optionCount(3, argv), 3);
}

void TestCommandLine::fileNamesThatAreNotTextStillOpen()
{
    // A file whose name is Latin-1 on a UTF-8 system: its address names its bytes.
    QTemporaryDir folder;
    const QByteArray name = "caf\xe9.html";
    const QByteArray path = QFile::encodeName(folder.path()) + '/' + name;
    QFile file(QFile::decodeName(path));
    QVERIFY(::close(::open(path.constData(), O_CREAT | O_WRONLY, 0600)) == 0);
    const QString address = CommandLine::argumentText(name, QDir(folder.path()));
    QVERIFY2(
        address.startsWith("file://") && address.endsWith("/caf%E9.html"), qPrintable(address));
    QCOMPARE(QUrl(address).toEncoded().right(11), QByteArray("caf%E9.html"));
    // A name that is not text and names nothing is left as it is.
    QVERIFY(!CommandLine::argumentText("gone\xe9", QDir(folder.path())).startsWith("file:"));
}

void TestCommandLine::addressesOpenOneTabEachTheLastActive()
{
    FormFixture f({ "start.test/start/", "http://search.test", { "a.test", "", "c.test/x" } });
    QCOMPARE(f.highestTab(), 3);
    QCOMPARE(f.view(1)->navigated, QStringList { "a.test" });
    // An empty address is passed on as typed, as Enter in an empty box does.
    QCOMPARE(f.view(2)->navigated, QStringList { "" });
    QCOMPARE(f.view(3)->navigated, QStringList { "c.test/x" });
    QCOMPARE(f.activeTab(), 3);
    QCOMPARE(f.header(2)->place().left, f.header(1)->place().left + f.header(1)->place().width);
    // The pages complete in any order; the last tab stays the active one.
    f.view(3)->complete("http://c.test/x", "C");
    f.view(1)->complete("http://a.test/", "A");
    QCOMPARE(f.activeTab(), 3);
    QCOMPARE(f.header(1)->look().caption, QStringLiteral("A"));
    // Later completions of a covered tab leave it covered too.
    f.view(1)->complete("http://a.test/next", "A next");
    QCOMPARE(f.activeTab(), 3);
}

void TestCommandLine::noAddressesOpenTheStartPage()
{
    FormFixture f;
    QCOMPARE(f.highestTab(), 1);
    QCOMPARE(f.view(1)->navigated, QStringList { "start.test/start/" });
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"

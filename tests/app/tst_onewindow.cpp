// The one-window socket: its messages as a table, and a running browser's side against
// what another program of the user's may send it.
#include "app/onewindow.h"
#include "common/pagerules.h"

#include <future>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class TestOneWindow : public QObject
{
    Q_OBJECT
private slots:
    void messages_data();
    void messages();
    void runtimeFolderMustBePrivate();
    void serverSurvivesStaleSocketGarbageAndOversizedMessages();
};

void TestOneWindow::messages_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<std::optional<QStringList>>("addresses");
    const QByteArray head = "TESSARVINE-OPEN 1\n";
    QTest::newRow("two") << head + "a.test\nhttp%3A%2F%2Fb.test%2F%3Fq%3D1\n\n"
                         << std::optional(QStringList { "a.test", "http://b.test/?q=1" });
    QTest::newRow("none: one new tab") << head + "\n" << std::optional(QStringList {});
    QTest::newRow("blank line inside") << head + "a\n\nb\n\n" << std::optional<QStringList>();
    QTest::newRow("unended") << head + "a\n" << std::optional<QStringList>();
    QByteArray many = head;
    for (int i = 0; i <= OneWindow::maxAddresses; ++i)
        many += "a\n";
    QTest::newRow("too many") << many + "\n" << std::optional<QStringList>();
}

void TestOneWindow::messages()
{
    QFETCH(QByteArray, message);
    QFETCH(std::optional<QStringList>, addresses);
    QCOMPARE(OneWindow::decode(message), addresses);
    // Any address survives the trip, line breaks and all.
    const QStringList odd { "two\nlines", " spaced ", "ünï", "%41" };
    QCOMPARE(OneWindow::decode(OneWindow::encodeAll(odd).value(0)), std::optional(odd));
    // The longest addresses the program opens, as many as a start hands over, go in
    // messages the running browser takes: none falls back to a browser of its own.
    const QStringList longest(OneWindow::maxAddresses, QString(PageRules::longestAddress, u'€'));
    QStringList back;
    for (const QByteArray &part : OneWindow::encodeAll(longest)) {
        QVERIFY(part.size() <= OneWindow::maxMessageBytes);
        back += OneWindow::decode(part).value_or(QStringList { "undecodable" });
    }
    QCOMPARE(back, longest);
}

void TestOneWindow::runtimeFolderMustBePrivate()
{
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(OneWindow::socketPath(runtime.path(), "xcb-:0"),
        QDir(runtime.path()).filePath("tessarvine-xcb__0"));
    QFile::setPermissions(runtime.path(), QFile::permissions(runtime.path()) | QFile::ReadOther);
    QCOMPARE(OneWindow::socketPath(runtime.path(), "xcb-:0"), QString());
    QCOMPARE(OneWindow::socketPath(QString(), "xcb-:0"), QString());
}

void TestOneWindow::serverSurvivesStaleSocketGarbageAndOversizedMessages()
{
    QTemporaryDir runtime;
    const QString path = QDir(runtime.path()).filePath("tessarvine-test");
    // A socket left by a browser that was killed: bound, and nobody listening.
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
    QCOMPARE(::bind(stale, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ::close(stale);
    QCOMPARE(OneWindow::handOver(path, {}, 1000), OneWindow::HandOver::NoBrowser);

    OneWindowServer server;
    QVERIFY(server.listen(path));
    QSignalSpy received(&server, &OneWindowServer::addressesReceived);
    const QByteArray oversized
        = "TESSARVINE-OPEN 1\n" + QByteArray(OneWindow::maxMessageBytes + 10, 'a');
    for (const QByteArray &bad : { QByteArray("GARBAGE\n\n"), oversized }) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^tessarvine: ignored an? \\w+"));
        QLocalSocket sender;
        sender.connectToServer(path);
        QVERIFY(sender.waitForConnected(1000));
        sender.write(bad);
        QTRY_COMPARE(sender.state(), QLocalSocket::UnconnectedState);
    }
    QCOMPARE(received.size(), 0);
    // Still there for a well-formed one, answered from another thread as a second start.
    auto handed = std::async(std::launch::async, [path] {
        return OneWindow::handOver(path, { "one.test", "two.test" }, 5000);
    });
    QTRY_COMPARE(received.size(), 1);
    QCOMPARE(received.at(0).at(0).toStringList(), (QStringList { "one.test", "two.test" }));
    QCOMPARE(handed.get(), OneWindow::HandOver::Taken);
}

QTEST_MAIN(TestOneWindow)
#include "tst_onewindow.moc"

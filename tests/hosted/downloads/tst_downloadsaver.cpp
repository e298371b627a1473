// Final names of saved downloads: plain, visible, short enough, and never one that is
// there in any form; and the leftovers of a run that was killed.
#include "common/downloadnames.h"
#include "hosted/downloads/downloadsaver.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

class TestDownloadSaver : public QObject
{
    Q_OBJECT
private slots:
    void names_data();
    void names();
    void pageNames_data();
    void pageNames();
    void longNamesFitKeepingTheirExtension();
    void homeFolderIsNeverTheDownloadFolder();
    void leftoversOfEndedRunsGo();
};

void TestDownloadSaver::names_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QStringList>("writing");
    QTest::addColumn<QString>("suggested");
    QTest::addColumn<QString>("expected");
    const QStringList none;
    QTest::newRow("free") << none << none << "report.pdf"
                          << "report.pdf";
    QTest::newRow("taken") << QStringList { "report.pdf" } << none << "report.pdf"
                           << "report (1).pdf";
    QTest::newRow("taken twice") << QStringList { "report.pdf", "report (1).pdf" } << none
                                 << "report.pdf"
                                 << "report (2).pdf";
    // Another download is writing that name, though no file has it yet.
    QTest::newRow("being written") << none << QStringList { "report.pdf" } << "report.pdf"
                                   << "report (1).pdf";
    QTest::newRow("double suffix") << QStringList { "a.tar.gz" } << none << "a.tar.gz"
                                   << "a (1).tar.gz";
    QTest::newRow("no suffix") << QStringList { "README" } << none << "README"
                               << "README (1)";
    // A server suggests the name: no way out of the folder, and no hidden files.
    QTest::newRow("dot file") << none << none << ".xsessionrc"
                              << "xsessionrc";
    QTest::newRow("dot file taken") << QStringList { "bashrc" } << none << "..bashrc"
                                    << "bashrc (1)";
    QTest::newRow("path") << none << none << "../../etc/passwd"
                          << "passwd";
    QTest::newRow("empty") << none << none << ""
                           << "download";
    QTest::newRow("dots") << none << none << ".."
                          << "download";
    // Names that lie or would ring the terminal: controls and direction overrides go.
    QTest::newRow("override") << none << none << QString::fromUtf8("invoice\u202Efdp.sh")
                              << "invoicefdp.sh";
    QTest::newRow("controls") << none << none
                              << "a\x07"
                                 "b\x1b[31mc\nd.txt"
                              << "ab[31mcd.txt";
    QTest::newRow("isolate") << none << none << QString::fromUtf8("x\u2067y\u2069.pdf") << "xy.pdf";
}

void TestDownloadSaver::names()
{
    QFETCH(QStringList, existing);
    QFETCH(QStringList, writing);
    QFETCH(QString, suggested);
    QFETCH(QString, expected);
    QTemporaryDir folder;
    const QDir dir(folder.path());
    for (const QString &name : existing) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QSet<QString> taken;
    for (const QString &name : writing)
        taken.insert(dir.filePath(name));
    const QString name = DownloadNames::visible(suggested);
    QCOMPARE(DownloadNames::freeName(folder.path(), name, taken), expected);
}

void TestDownloadSaver::pageNames_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("name");
    QTest::newRow("title") << "News"
                           << "http://a.test/n"
                           << "News.mhtml";
    QTest::newRow("slash kept as text") << "A/B results"
                                        << "http://a.test/"
                                        << "A_B results.mhtml";
    QTest::newRow("untitled at the root") << "http://a.test:8080/"
                                          << "http://a.test:8080/"
                                          << "a.test.mhtml";
    QTest::newRow("untitled file") << ""
                                   << "http://a.test/doc/report"
                                   << "report.mhtml";
    QTest::newRow("dots") << ".."
                          << "http://a.test/"
                          << "download.mhtml";
}

void TestDownloadSaver::pageNames()
{
    QFETCH(QString, title);
    QFETCH(QString, address);
    QFETCH(QString, name);
    QCOMPARE(DownloadNames::forPage(title, address, "mhtml"), name);
}

void TestDownloadSaver::longNamesFitKeepingTheirExtension()
{
    for (const int bytes : { 245, 255, 300, 4000 }) {
        const QString name = DownloadNames::visible(QString(bytes - 4, u'n') + ".pdf");
        QVERIFY(name.toUtf8().size() <= DownloadNames::maxBytes);
        QVERIFY(name.endsWith(".pdf"));
    }
    // Never half a character.
    const QString wide = DownloadNames::visible(QString(300, QChar(0x00e9)));
    QCOMPARE(wide, QString(DownloadNames::maxBytes / 2, QChar(0x00e9)));
}

void TestDownloadSaver::leftoversOfEndedRunsGo()
{
    // A run killed while downloading left its private folder; a running one keeps its own.
    QTemporaryDir folder;
    const QDir dir(folder.path());
    QVERIFY(dir.mkpath(".tessarvine-partial-999999999-abcdef"));
    QFile left(dir.filePath(".tessarvine-partial-999999999-abcdef/big.iso.part.download"));
    QVERIFY(left.open(QIODevice::WriteOnly));
    left.close();
    const QString mine = QStringLiteral(".tessarvine-partial-%1-ghijkl").arg(getpid());
    QVERIFY(dir.mkpath(mine));
    DownloadNames::removeLeftovers(folder.path());
    QCOMPARE(dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList { mine });
}

void TestDownloadSaver::homeFolderIsNeverTheDownloadFolder()
{
    // xdg-user-dirs turns a folder off by pointing it at the home folder itself.
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
    QVERIFY(QDir(home.path()).mkpath(".config"));
    QFile dirs(home.path() + "/.config/user-dirs.dirs");
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOWNLOAD_DIR=\"$HOME/\"\n");
    dirs.close();
    const QString downloads = QDir(home.path()).filePath("Downloads");
    QCOMPARE(DownloadSaver().directory(), downloads);
    DownloadSaver saver;
    saver.setDirectory(home.path() + "/");
    QCOMPARE(saver.directory(), downloads);
    saver.setDirectory(QString());
    QCOMPARE(saver.directory(), downloads);
    saver.setDirectory(home.path() + "/elsewhere");
    QCOMPARE(saver.directory(), home.path() + "/elsewhere");
    qputenv("HOME", oldHome);
    if (oldConfig.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);
}

QTEST_APPLESS_MAIN(TestDownloadSaver)
#include "tst_downloadsaver.moc"

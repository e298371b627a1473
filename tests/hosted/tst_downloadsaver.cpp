// Final names of saved downloads never replace a file that is there.
#include "hosted/downloadsaver.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class TestDownloadSaver : public QObject
{
    Q_OBJECT
private slots:
    void names_data();
    void names();
    void homeFolderIsNeverTheDownloadFolder();
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
    const QString name = DownloadSaver::visibleName(suggested);
    QCOMPARE(DownloadSaver::freeName(folder.path(), name, taken), expected);
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

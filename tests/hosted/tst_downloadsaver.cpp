// Final names of saved downloads never replace a file that is there.
#include "hosted/downloadsaver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestDownloadSaver : public QObject
{
    Q_OBJECT
private slots:
    void uniqueName_data();
    void uniqueName();
};

void TestDownloadSaver::uniqueName_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QString>("expected");
    QTest::newRow("free") << QStringList {} << "report.pdf"
                          << "report.pdf";
    QTest::newRow("taken") << QStringList { "report.pdf" } << "report.pdf"
                           << "report (1).pdf";
    QTest::newRow("taken twice") << QStringList { "report.pdf", "report (1).pdf" } << "report.pdf"
                                 << "report (2).pdf";
    QTest::newRow("double suffix") << QStringList { "a.tar.gz" } << "a.tar.gz"
                                   << "a (1).tar.gz";
    QTest::newRow("no suffix") << QStringList { "README" } << "README"
                               << "README (1)";
    QTest::newRow("dot file") << QStringList { ".profile" } << ".profile"
                              << ".profile (1)";
    // A page suggests the name: no way out of the folder.
    QTest::newRow("path") << QStringList {} << "../../etc/passwd"
                          << "passwd";
    QTest::newRow("empty") << QStringList {} << ""
                           << "download";
    QTest::newRow("dots") << QStringList {} << ".."
                          << "download";
}

void TestDownloadSaver::uniqueName()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, wanted);
    QFETCH(QString, expected);
    QTemporaryDir folder;
    for (const QString &name : existing) {
        QFile file(QDir(folder.path()).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(DownloadSaver::uniqueName(folder.path(), wanted), expected);
}

QTEST_APPLESS_MAIN(TestDownloadSaver)
#include "tst_downloadsaver.moc"

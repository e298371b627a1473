// Which dictionary text is checked with, for the user's locale, as a table.
#include "hosted/engineprofile.h"

#include <QLocale>
#include <QTest>

class TestEngineProfile : public QObject
{
    Q_OBJECT
private slots:
    void spellingLanguage_data();
    void spellingLanguage();
};

void TestEngineProfile::spellingLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("dictionaries");
    QTest::addColumn<QString>("language"); // empty: nothing is checked
    const QStringList english { "de_DE", "en_GB", "en_US" };
    QTest::newRow("its own") << "en_US" << english << "en_US";
    QTest::newRow("its language's") << "en_AU" << english << "en_GB";
    QTest::newRow("another language: English") << "fr_FR" << english << "en_US";
    QTest::newRow("none of its language, no English") << "fr_FR" << QStringList { "de_DE" } << "";
    QTest::newRow("no dictionaries") << "en_US" << QStringList {} << "";
    // Where no locale was chosen (containers, minimal installs), messages are English.
    QTest::newRow("the C locale") << "C" << english << "en_US";
}

void TestEngineProfile::spellingLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, dictionaries);
    QFETCH(QString, language);
    QCOMPARE(EngineProfile::spellingLanguage(QLocale(locale), dictionaries).value_or(QString()),
        language);
}

QTEST_GUILESS_MAIN(TestEngineProfile)
#include "tst_engineprofile.moc"

// The keyword screen as a table: lists, order, texts and the match rule.
#include "page_events/contentwarnings.h"

#include <QTest>

using namespace ContentWarnings;
using Warnings = std::vector<Warning>;

Q_DECLARE_METATYPE(ContentWarnings::Source)
Q_DECLARE_METATYPE(Warnings)

namespace {
const Warning adultWithTitle { titleText, adultMessage };
const Warning virusWithTitle { titleText, virusMessage };
const Warning adult { std::nullopt, adultMessage };
const Warning virus { std::nullopt, virusMessage };
} // namespace

namespace QTest {
template <> char *toString(const Warnings &warnings)
{
    QByteArray text;
    for (const Warning &w : warnings)
        text += (w.title ? "[title] " : "[no title] ") + w.message.toUtf8() + "; ";
    return qstrdup(text.constData());
}
} // namespace QTest

class TestContentWarnings : public QObject
{
    Q_OBJECT
private slots:
    void screen_data();
    void screen();
};

void TestContentWarnings::screen_data()
{
    QTest::addColumn<Source>("source");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Warnings>("expected");

    QTest::newRow("empty status") << Source::StatusText << "" << Warnings {};
    QTest::newRow("empty title") << Source::Title << "" << Warnings {};
    QTest::newRow("clean status") << Source::StatusText << "Done" << Warnings {};
    QTest::newRow("capitalised never match") << Source::Title << "Sex VIRUS Porn" << Warnings {};
    QTest::newRow("inside a longer word")
        << Source::StatusText << "Essex county" << Warnings { adultWithTitle };
    // The mended cases: a keyword at the very end, or followed by itself, matches.
    QTest::newRow("title ends with keyword") << Source::Title << "Free virus" << Warnings { virus };
    QTest::newRow("status ends with keyword")
        << Source::StatusText << "Essex" << Warnings { adultWithTitle };
    QTest::newRow("keyword repeated") << Source::Title << "pornporn" << Warnings { adult };
    QTest::newRow("keyword alone") << Source::Address << "sex" << Warnings { adultWithTitle };
    // One warning per matching rule, in the list's order: the last one's texts win.
    QTest::newRow("status virus after sex") << Source::StatusText << "sex and virus scan"
                                            << Warnings { adultWithTitle, virusWithTitle };
    QTest::newRow("title sex after virus")
        << Source::Title << "sex and virus scan" << Warnings { virus, adult };
    QTest::newRow("status all five") << Source::StatusText << "erotic sex porn fuck virus"
                                     << Warnings { adultWithTitle, adultWithTitle, adultWithTitle,
                                            adultWithTitle, virusWithTitle };
    QTest::newRow("title all five") << Source::Title << "fuck sex virus porn erotic"
                                    << Warnings { adult, adult, virus, adult, adult };
    // Addresses: "erotic" leaves the title line alone, the others set it; never viruses.
    QTest::newRow("address erotic")
        << Source::Address << "http://erotic.test/" << Warnings { adult };
    QTest::newRow("address all") << Source::Address << "http://erotic.sex.porn.fuck.virus/"
                                 << Warnings { adult, adultWithTitle, adultWithTitle,
                                        adultWithTitle };
    QTest::newRow("address virus") << Source::Address << "http://virus.test/" << Warnings {};
    QTest::newRow("status untrimmed spaces")
        << Source::StatusText << "  porn  " << Warnings { adultWithTitle };
}

void TestContentWarnings::screen()
{
    QFETCH(Source, source);
    QFETCH(QString, text);
    QFETCH(Warnings, expected);
    QCOMPARE(ContentWarnings::screen(source, text), expected);
}

QTEST_APPLESS_MAIN(TestContentWarnings)
#include "tst_contentwarnings.moc"

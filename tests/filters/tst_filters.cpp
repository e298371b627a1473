// The filter syntax as its documentation spells it out, one case a row: what each rule
// blocks, and what it must leave alone.
#include "filters/domains.h"
#include "filters/engine.h"

#include <QTest>

class TestFilters : public QObject
{
    Q_OBJECT
private slots:
    void requests_data();
    void requests();
    void hiding();
    void rulesNotHonouredAreLeftOutWhole();
};

void TestFilters::requests_data()
{
    QTest::addColumn<QString>("rules");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("blocked");
    const int image = Filters::Image, script = Filters::Script, popup = Filters::Popup;
    const auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };
    row("host") << "||ads.example.com^"
                << "https://ads.example.com/b.png"
                << "http://news.test/" << image << true;
    row("host's sub-domain") << "||ads.example.com^"
                             << "https://x.ads.example.com/"
                             << "http://news.test/" << image << true;
    row("not a label") << "||ads.example.com^"
                       << "https://notads.example.com/"
                       << "http://news.test/" << image << false;
    row("longer host") << "||ads.example.com^"
                       << "https://ads.example.com.evil.test/"
                       << "http://news.test/" << image << false;
    row("host with path") << "||cdn.test/ads/"
                          << "https://cdn.test/ads/x.js"
                          << "http://news.test/" << script << true;
    row("start anchor") << "|https://ad."
                        << "https://ad.test/"
                        << "http://news.test/" << image << true;
    row("start anchor inside") << "|https://ad."
                               << "http://x.test/?u=https://ad.test"
                               << "http://news.test/" << image << false;
    row("end anchor") << "swf|"
                      << "http://x.test/a.swf"
                      << "http://news.test/" << image << true;
    row("end anchor before a query") << "swf|"
                                     << "http://x.test/a.swf?b"
                                     << "http://news.test/" << image << false;
    row("wildcard and separator") << "/banner/*/img^"
                                  << "http://x.test/banner/foo/img?x"
                                  << "http://news.test/" << image << true;
    row("separator at the end") << "/banner/*/img^"
                                << "http://x.test/banner/a/b/img"
                                << "http://news.test/" << image << true;
    row("wildcard needs its parts") << "/banner/*/img^"
                                    << "http://x.test/banner/img"
                                    << "http://news.test/" << image << false;
    row("substring") << "-ad-300x250."
                     << "http://x.test/pic-ad-300x250.gif"
                     << "http://news.test/" << image << true;
    row("only scripts") << "ad.js$script"
                        << "http://x.test/ad.js"
                        << "http://news.test/" << image << false;
    row("all but scripts") << "/adimg/$~script"
                           << "http://x.test/adimg/1"
                           << "http://news.test/" << image << true;
    row("third party") << "||tracker.test^$third-party"
                       << "http://tracker.test/t"
                       << "http://news.test/" << image << true;
    row("first party spared") << "||tracker.test^$third-party"
                              << "http://tracker.test/t"
                              << "http://www.tracker.test/" << image << false;
    row("registrable domain") << "||cdn.co.uk^$third-party"
                              << "http://cdn.co.uk/x"
                              << "http://www.cdn.co.uk/" << image << false;
    row("on its domain") << "||t.test^$domain=news.test|~sport.news.test"
                         << "http://t.test/"
                         << "http://www.news.test/" << image << true;
    row("not on the excluded one") << "||t.test^$domain=news.test|~sport.news.test"
                                   << "http://t.test/"
                                   << "http://sport.news.test/" << image << false;
    row("not elsewhere") << "||t.test^$domain=news.test"
                         << "http://t.test/"
                         << "http://other.test/" << image << false;
    row("exception") << "||t.test^\n@@||t.test/ok^"
                     << "http://t.test/ok/1"
                     << "http://news.test/" << image << false;
    row("exception past a port") << "||127.0.0.2^$third-party\n@@||127.0.0.2^*/allowed/"
                                 << "http://127.0.0.2:8765/allowed/x.png"
                                 << "http://127.0.0.1:8765/" << image << false;
    row("important beats it") << "||t.test^$important\n@@||t.test^"
                              << "http://t.test/"
                              << "http://news.test/" << image << true;
    row("page excepted") << "||t.test^\n@@||news.test^$document"
                         << "http://t.test/"
                         << "http://news.test/a" << image << false;
    row("expression") << "/ads\\d+\\.js/"
                      << "http://x.test/ads12.js"
                      << "http://news.test/" << script << true;
    row("expression misses") << "/ads\\d+\\.js/"
                             << "http://x.test/adsx.js"
                             << "http://news.test/" << script << false;
    row("case matched") << "AdBanner$match-case"
                        << "http://x.test/AdBanner.gif"
                        << "http://news.test/" << image << true;
    row("case differs") << "AdBanner$match-case"
                        << "http://x.test/adbanner.gif"
                        << "http://news.test/" << image << false;
    row("pop-up rule") << "||pop.test^$popup"
                       << "http://pop.test/"
                       << "http://news.test/" << popup << true;
    row("pop-up rule, an image") << "||pop.test^$popup"
                                 << "http://pop.test/"
                                 << "http://news.test/" << image << false;
    row("plain rule, a pop-up") << "||ads.test^"
                                << "http://ads.test/"
                                << "http://news.test/" << popup << false;
}

void TestFilters::requests()
{
    QFETCH(QString, rules);
    QFETCH(QString, url);
    QFETCH(QString, page);
    QFETCH(int, kind);
    QFETCH(bool, blocked);
    Filters::Engine engine;
    engine.add(rules.toStdString());
    engine.finish();
    const auto hostOf = [](const QString &address) { return QUrl(address).host().toStdString(); };
    const std::string u = url.toStdString(), p = page.toStdString();
    const std::string host = hostOf(url), pageHost = hostOf(page);
    QCOMPARE(engine.blocks({ u, host, p, pageHost, std::uint32_t(kind),
                 Filters::isThirdParty(host, pageHost) }),
        blocked);
}

void TestFilters::hiding()
{
    Filters::Engine engine;
    engine.add("##.banner-ad\n##.sponsor\n##div.ad > a\nnews.test##.sidebar-ad\n"
               "news.test#@#.banner-ad\n~sport.test##.promo\n");
    engine.finish();
    // A lone class is left to the page's names; the site's exceptions go with the sheet.
    QCOMPARE(engine.genericNames(), (std::vector<std::string> { ".banner-ad", ".sponsor" }));
    const auto news = engine.hiding("www.news.test", true);
    QVERIFY(news.css.find(".sidebar-ad{display:none") != std::string::npos);
    QVERIFY(news.css.find("div.ad > a{") != std::string::npos);
    QVERIFY(news.css.find(".sponsor") == std::string::npos);
    QCOMPARE(news.kept, std::vector<std::string> { ".banner-ad" });
    const auto other = engine.hiding("other.test", true);
    QVERIFY(other.kept.empty());
    QVERIFY(other.css.find(".sidebar-ad") == std::string::npos);
    QVERIFY(other.css.find(".promo{") != std::string::npos);
    QVERIFY(engine.hiding("sport.test", true).css.find(".promo") == std::string::npos);
    // A page that keeps generic rules away gets its own only.
    QCOMPARE(engine.hiding("news.test", false).css,
        std::string(".sidebar-ad{display:none!important}\n"));
}

void TestFilters::rulesNotHonouredAreLeftOutWhole()
{
    Filters::Engine engine;
    engine.add("! a comment\n[Adblock Plus 2.0]\n||cdn.test/x.js$redirect=noop.js\n"
               "||cdn.test^$csp=script-src 'none'\nnews.test##+js(set, a, 1)\n"
               "news.test#?#div:-abp-has(.ad)\n||t.test^$removeparam=utm\n"
               "||t.test^$unknown-option\n/(a+)+$/\n/#\\x00*********%/\n*\n||ok.test^\n");
    engine.finish();
    QCOMPARE(engine.counts().network, std::size_t(1));
    QCOMPARE(engine.counts().skipped, std::size_t(9));
    // Left out, not applied without their option: nothing of cdn.test or t.test is blocked.
    const auto blocks = [&engine](const char *url, const char *host) {
        return engine.blocks(
            { url, host, "http://news.test/", "news.test", Filters::Script, true });
    };
    QVERIFY(!blocks("http://cdn.test/x.js", "cdn.test"));
    QVERIFY(!blocks("http://t.test/a?utm=1", "t.test"));
    QVERIFY(blocks("http://ok.test/", "ok.test"));
}

QTEST_GUILESS_MAIN(TestFilters)
#include "tst_filters.moc"

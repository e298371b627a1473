// Blocking against none: the browser with its lists, then with --no-content-blocking,
// started in turn with the same local pages.
#include "benchtable.h"
#include "cases.h"
#include "processrun.h"

namespace {

struct Compared
{
    Pair times, memory;
    // Requests of the ads and trackers that reached the server, in the last run of each.
    qsizetype adsReached = 0, adsReachedWithout = 0;
};

// Paths of the ads' and trackers' resources the ad page set asks for.
const QList<QByteArray> adScripts { "/gtm.js", "/analytics.js", "/c/hotjar-1.js",
    "/pagead/js/adsbygoogle.js", "/en_US/fbevents.js" };
const QList<QByteArray> adFrames { "/ddm/adi/N", "/gampad/ads-frame", "/box.html" };
const QByteArray adPixel = "/ut/v3/pixel.gif";

qsizetype adsRequested(const HttpResponder &server)
{
    qsizetype reached = 0;
    for (const QByteArray &path : server.requested)
        reached += adScripts.contains(path) || adFrames.contains(path) || path == adPixel;
    return reached;
}

Compared compareBlocking(HttpResponder &server, const QStringList &urls, int runs, Settle settle)
{
    Compared result;
    const QString browser = QStringLiteral(TESSARVINE_BINARY);
    const QStringList own { QStringLiteral("--new-instance") };
    for (int run = 0; run < runs; ++run) {
        const RunResult on = runOnce(server, browser, own + urls, int(urls.size()), settle);
        result.adsReached = adsRequested(server);
        const RunResult off = runOnce(server, browser,
            own + QStringList { QStringLiteral("--no-content-blocking") } + urls, int(urls.size()),
            settle);
        result.adsReachedWithout = adsRequested(server);
        result.times.browser << on.ms;
        result.times.bare << off.ms;
        result.memory.browser << on.pssMiB;
        result.memory.bare << off.pssMiB;
    }
    return result;
}

void addCompared(BenchTable &table, const QString &name, const Compared &compared)
{
    const QString none = QStringLiteral("--no-content-blocking");
    table.add(name + QStringLiteral(", to all loaded"), BenchTable::median(compared.times.browser),
        none, BenchTable::median(compared.times.bare), QStringLiteral("ms"));
    table.add(name + QStringLiteral(", whole-tree PSS"),
        BenchTable::median(compared.memory.browser), none, BenchTable::median(compared.memory.bare),
        QStringLiteral("MiB"));
}

// An ad and tracker script as the usual ones weigh: data kept, processor spent, and a frame
// of another ad network's.
QByteArray adScript()
{
    return "window.adData = window.adData || [];"
           "adData.push(new Float64Array(1 << 19).map(Math.random));"
           "{ const t = performance.now(); while (performance.now() - t < 15) {} }"
           "{ const f = document.createElement('iframe');"
           "  f.src = 'http://securepubads.g.doubleclick.net/gampad/ads-frame';"
           "  f.width = 300; f.height = 250; document.documentElement.appendChild(f); }";
}

// An ad's frame: an animation, its data, and a tracking pixel.
QByteArray adFrame()
{
    return "<html><body style=margin:0><canvas id=c width=300 height=250></canvas>"
           "<img src='http://ib.adnxs.com/ut/v3/pixel.gif' width=1 height=1><script>"
           "const data = new Float64Array(1 << 18).map(Math.random);"
           "const ctx = document.getElementById('c').getContext('2d'); let t = 0;"
           "setInterval(() => { ctx.fillStyle = 'hsl(' + (++t % 360) + ',60%,50%)';"
           "  ctx.fillRect(0, 0, 300, 250); }, 16);</script></body></html>";
}

// A news page with the usual ads and trackers, on a site of its own: five tracker and ad
// scripts, an ad frame in a banner-ad box, a pixel and a tracker's frame; its own picture.
QByteArray newsPage(int n)
{
    QByteArray page = "<html><head><title>News " + QByteArray::number(n) + "</title>";
    for (const QByteArray &script : { QByteArray("http://www.googletagmanager.com/gtm.js"),
             QByteArray("http://www.google-analytics.com/analytics.js"),
             QByteArray("http://static.hotjar.com/c/hotjar-1.js"),
             QByteArray("http://pagead2.googlesyndication.com/pagead/js/adsbygoogle.js"),
             QByteArray("http://connect.facebook.net/en_US/fbevents.js") })
        page += "<script src='" + script + "'></script>";
    return page + "</head><body><h1>News</h1><p>" + QByteArray("The day's story. ").repeated(200)
        + "</p><img src='/photo.png' width=300 height=200>"
          "<div class=banner-ad><iframe src='http://ad.doubleclick.net/ddm/adi/N' width=300"
          " height=250></iframe></div>"
          "<img src='http://ib.adnxs.com/ut/v3/pixel.gif' width=1 height=1>"
          "<iframe src='http://vars.hotjar.com/box.html' width=1 height=1></iframe>"
          "<script>addEventListener('load', () => fetch('/loaded?"
        + QByteArray::number(n) + "'));</script></body></html>";
}

// Case 12, the ad page set: ten news sites under their own names and the ad networks under
// their real ones, all served by the local server as the engine's proxy.
Compared adPageSet(int runs)
{
    HttpResponder server;
    for (const QByteArray &path : adScripts)
        server.route(path, { 200, "text/javascript", adScript(), 0, {} });
    for (const QByteArray &path : adFrames)
        server.page(path, adFrame());
    server.route(adPixel, { 200, "image/gif", QByteArray(64 * 1024, 'g'), 0, {} });
    server.route("/photo.png", { 200, "image/png", QByteArray(32 * 1024, 'p'), 0, {} });
    QStringList urls;
    for (int n = 1; n <= 10; ++n) {
        server.page("/article" + QByteArray::number(n), newsPage(n));
        urls << QStringLiteral("http://news%1.test/article%1").arg(n);
    }
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
        flags + " --host-resolver-rules=\"MAP * 127.0.0.1:"
            + QByteArray::number(server.serverPort()) + '"');
    const Compared compared = compareBlocking(server, urls, runs, { 1500, true, 0 });
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    return compared;
}

} // namespace

void runBlockingCases(BenchTable &table, int runs)
{
    if (caseWanted(11)) {
        // One small page: start-up with the lists read against none.
        HttpResponder server;
        server.page("/page1", benchPage(1));
        const Compared start
            = compareBlocking(server, { server.url("/page1") }, runs, { 1500, true, 0 });
        addCompared(table, QStringLiteral("11. start, one page (goal within 5%)"), start);
    }
    if (caseWanted(12)) {
        HttpResponder server;
        const Compared everyday
            = compareBlocking(server, everydaySites(server), qMax(3, runs / 2), { 3000, true, 0 });
        addCompared(table, QStringLiteral("12. 50 everyday pages (goal within 5%)"), everyday);
        const Compared ads = adPageSet(runs);
        addCompared(table, QStringLiteral("12. 10 pages with ads and trackers (goal below)"), ads);
        table.add(QStringLiteral("12. their ad and tracker requests served"),
            double(ads.adsReached), QStringLiteral("--no-content-blocking"),
            double(ads.adsReachedWithout), QString());
    }
}

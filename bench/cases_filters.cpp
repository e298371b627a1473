// Case 10: the filter engine on EasyList and EasyPrivacy, as the browser ships them: how
// long the lists take to read, what the matcher holds, and how long one request takes.
#include "benchtable.h"
#include "cases.h"
#include "filters/domains.h"
#include "filters/engine.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <QFileInfo>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double microseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Resident memory of this process, in MiB.
double residentMiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4096.0 / (1024 * 1024);
}

// Request addresses: the hosts the lists name, with paths ads and trackers use, and the
// everyday pages' own resources, a third of them; at least 100,000 in all.
std::vector<std::string> requestAddresses(const std::string &lists)
{
    std::vector<std::string> hosts;
    std::istringstream lines(lists);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("||", 0) != 0)
            continue;
        const std::size_t end = line.find_first_of("^/$*", 2);
        hosts.push_back(line.substr(2, end == std::string::npos ? end : end - 2));
    }
    std::mt19937 random(7);
    const char *const paths[] = { "/pagead/js/adsbygoogle.js", "/collect?v=1&tid=UA-1",
        "/banner/300x250.gif", "/static/js/app.js", "/img/photo.jpg", "/api/v2/items?page=3" };
    const char *const everyday[] = { "www.debian.org", "en.wikipedia.org", "lwn.net",
        "news.ycombinator.com", "www.bbc.co.uk", "cdn.jsdelivr.net", "fonts.gstatic.com" };
    std::vector<std::string> addresses;
    for (int i = 0; i < 120000; ++i) {
        const bool own = i % 3 == 0 || hosts.empty();
        const std::string host
            = own ? everyday[random() % std::size(everyday)] : hosts[random() % hosts.size()];
        addresses.push_back(
            "https://" + host + paths[random() % std::size(paths)] + "?n=" + std::to_string(i));
    }
    return addresses;
}

} // namespace

void runFilterCases(BenchTable &table, int runs)
{
    const std::string dir
        = QFileInfo(QStringLiteral(TESSARVINE_BINARY)).path().toStdString() + "/filters/";
    const std::string lists
        = readFile(dir + "easylist.txt") + "\n" + readFile(dir + "easyprivacy.txt");
    if (lists.size() < 1000) {
        qWarning("10. no lists beside the program: not measured");
        return;
    }
    QList<double> parse, read;
    std::unique_ptr<Filters::Engine> engine;
    double memory = 0;
    for (int run = 0; run < runs; ++run) {
        Clock::time_point start = Clock::now();
        const std::string copy = readFile(dir + "easylist.txt") + readFile(dir + "easyprivacy.txt");
        read << microseconds(Clock::now() - start) / 1000;
        const double before = residentMiB();
        start = Clock::now();
        auto built = std::make_unique<Filters::Engine>();
        built->add(lists);
        built->finish();
        parse << microseconds(Clock::now() - start) / 1000;
        if (run == 0) // later runs reuse what the first one freed
            memory = residentMiB() - before;
        engine = std::move(built);
    }
    table.add(QStringLiteral("10. lists read and indexed (goal <= 150 ms)"),
        BenchTable::median(parse), QStringLiteral("their files read"), BenchTable::median(read),
        QStringLiteral("ms"));
    table.add(QStringLiteral("10. the matcher's memory, resident (goal <= 30 MiB)"), memory,
        QStringLiteral("none"), 0, QStringLiteral("MiB"));

    const std::vector<std::string> addresses = requestAddresses(lists);
    std::vector<double> each, hashed;
    each.reserve(addresses.size());
    std::size_t blocked = 0;
    for (const std::string &url : addresses) {
        const std::size_t hostStart = url.find("://") + 3;
        const std::string host = url.substr(hostStart, url.find('/', hostStart) - hostStart);
        const bool third = Filters::isThirdParty(host, "www.example-news.org");
        Clock::time_point start = Clock::now();
        blocked += engine->blocks({ url, host, "https://www.example-news.org/a",
                       "www.example-news.org", Filters::Script, third })
            ? 1
            : 0;
        each.push_back(microseconds(Clock::now() - start));
        start = Clock::now();
        volatile std::size_t hash = std::hash<std::string> {}(url);
        (void)hash;
        hashed.push_back(microseconds(Clock::now() - start));
    }
    const auto percentile = [](std::vector<double> samples, double p) {
        std::sort(samples.begin(), samples.end());
        return samples[std::size_t(p * double(samples.size() - 1))];
    };
    table.add(QStringLiteral("10. one request, median of %1 (goal <= 2 us)").arg(addresses.size()),
        percentile(each, 0.5), QStringLiteral("hashing its address"), percentile(hashed, 0.5),
        QStringLiteral("us"));
    table.add(QStringLiteral("10. one request, 99th percentile (goal <= 20 us)"),
        percentile(each, 0.99), QStringLiteral("hashing its address"), percentile(hashed, 0.99),
        QStringLiteral("us"));
    const auto counts = engine->counts();
    qInfo("10. %zu of %zu requests blocked; %zu network and %zu hiding rules, %zu left out",
        blocked, addresses.size(), counts.network, counts.hiding, counts.skipped);
}

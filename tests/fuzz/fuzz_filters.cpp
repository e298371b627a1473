// Parses arbitrary text as a filter list and matches addresses made of its own lines: no
// input may crash the parser or the matcher, hang them, or make a rule block the page the
// user asked for by an exception's document option.
#include "filters/engine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    Filters::Engine engine;
    engine.add(text);
    engine.finish();
    std::istringstream lines(text);
    int tried = 0;
    for (std::string line; std::getline(lines, line) && tried < 16; ++tried) {
        const std::string url = "https://" + line;
        const std::string host = line.substr(0, line.find_first_of("/?#:"));
        for (const std::uint32_t kind :
            { std::uint32_t(Filters::Script), std::uint32_t(Filters::Popup) })
            engine.blocks({ url, host, "https://page.test/", "page.test", kind, true });
        engine.pageExcepted(url, host, Filters::Document);
        engine.hiding(host, true);
    }
    const auto counts = engine.counts();
    if (counts.network + counts.hiding + counts.skipped > text.size())
        std::abort(); // more rules than characters: a line was counted twice
    return 0;
}

#pragma once

#include <optional>
#include <QString>

class QUrl;

// Rules of the page view that need no engine.
namespace PageRules {

// The engine's own error codes the view reports for an address it does not load.
inline constexpr int invalidAddress = -300; // net::ERR_INVALID_URL
inline constexpr int refusedAddress = -301; // net::ERR_DISALLOWED_URL_SCHEME

// Why an address is not loaded, as an error code and a status text.
struct Refusal
{
    int code;
    QString why;
};

// Whether an address, as the view resolved it, is refused: a web address without a host
// (which the engine would drop without a word); a script typed into the address box (which
// would run with the page's rights); an address of the engine's own (chrome://gpucrash
// takes down every tab); a local path that is no file or folder (the engine would read a
// FIFO for ever). It looks at the disk for a local path.
std::optional<Refusal> refusal(const QUrl &url);
// The longest address the program opens: what the address box holds.
inline constexpr qsizetype longestAddress = 32767;
// Whether an address given to the program as text (on its command line, by a later start)
// is refused as it would be typed: too long for the address box, or by refusal(). An empty
// one is not: it does what Enter in an empty box does.
std::optional<Refusal> givenRefusal(const QString &address);
// Whether a local address names something on disk that is neither a file nor a folder (a
// FIFO, a device), which the engine would wait on for ever, and hold the program's end.
bool isSpecialFile(const QUrl &url);
// Whether the engine may read an address the page or the user names: anything but a local
// address of another computer's (file://127.0.0.1/x, which the engine reads as /x) or of
// something that is no file or folder.
bool mayReadLocal(const QUrl &url);

// Whether a title is the engine's rendering of an address ("host/path", without "http://";
// a local file's name) rather than a title of the page's own.
bool isStandInTitle(const QString &title, const QUrl &address);

} // namespace PageRules

#pragma once

#include <optional>
#include <QHash>
#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

// One browser per user and display: a second start hands its addresses to the running one,
// over a local socket in the user's private runtime folder, and ends. Pure rules first.
namespace OneWindow {

// The most a message may be; a longer one is dropped unread. It holds the longest address
// the program opens, whatever its characters; a later start sends as many messages as its
// addresses need.
inline constexpr qsizetype maxMessageBytes = 128 * 1024;
inline constexpr qsizetype maxAddresses = 100;

// The socket for this user and display: $XDG_RUNTIME_DIR/tessarvine-<display>. Empty when
// there is no runtime folder that only this user can enter (then every start is a browser
// of its own).
QString socketPath(const QString &runtimeDirectory, const QString &display);

// The addresses in messages that each fit maxMessageBytes, in order; an address that fits
// in none (longer than the program opens) is left out. A message: a first line that names
// it, then one address a line in UTF-8, with "%" and control characters percent-encoded so
// that no address holds a line break, then an empty line.
QList<QByteArray> encodeAll(const QStringList &addresses);
// The addresses of a whole message; nothing for anything else.
std::optional<QStringList> decode(const QByteArray &message);

// Gives the addresses to the browser listening at path. No browser: nothing listens there
// (a socket left by one that crashed may); no answer: one listens, but did not take them.
enum class HandOver { Taken, NoBrowser, NoAnswer };
HandOver handOver(const QString &path, const QStringList &addresses, int timeoutMs);

} // namespace OneWindow

// The running browser's side: it listens at the socket (taking over one left by a browser
// that crashed) and tells of every well-formed message from this user. Anything else is
// dropped with a line on stderr.
class OneWindowServer final : public QObject
{
    Q_OBJECT
public:
    // A connection that has not sent its whole message by then is dropped.
    static constexpr int readTimeoutMs = 5000;

    explicit OneWindowServer(QObject *parent = nullptr);
    ~OneWindowServer() override;

    bool listen(const QString &path);

signals:
    // Open these as new tabs; none: one new tab.
    void addressesReceived(const QStringList &addresses);

private:
    void accept();
    void read(QLocalSocket *socket);
    void drop(QLocalSocket *socket, const char *why);

    QLocalServer *m_server;
    QHash<QLocalSocket *, QByteArray> m_pending;
};

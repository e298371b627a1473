#include "app/onewindow.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QUrl>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray header = QByteArrayLiteral("TESSARVINE-OPEN 1\n");
// A socket's path must fit sockaddr_un.
constexpr qsizetype maxPathBytes = 100;

// Whether the peer of a connected local socket runs as this user.
bool sameUser(const QLocalSocket *socket)
{
    ucred credentials {};
    socklen_t size = sizeof credentials;
    return ::getsockopt(
               int(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials, &size)
        == 0
        && credentials.uid == ::getuid();
}

} // namespace

namespace OneWindow {

QString socketPath(const QString &runtimeDirectory, const QString &display)
{
    struct stat folder;
    if (runtimeDirectory.isEmpty() || !QDir::isAbsolutePath(runtimeDirectory)
        || ::lstat(QFile::encodeName(runtimeDirectory).constData(), &folder) != 0
        || !S_ISDIR(folder.st_mode) || folder.st_uid != ::getuid()
        || (folder.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return QString();
    QString name;
    for (const QChar c : display.isEmpty() ? QStringLiteral("default") : display)
        name += c.isLetterOrNumber() && c.unicode() < 128 ? c : QChar(u'_');
    QString path = QDir(runtimeDirectory).filePath(QStringLiteral("tessarvine-") + name);
    if (QFile::encodeName(path).size() > maxPathBytes) {
        const QByteArray digest
            = QCryptographicHash::hash(display.toUtf8(), QCryptographicHash::Sha1).toHex();
        path = QDir(runtimeDirectory)
                   .filePath(QStringLiteral("tessarvine-") + QString::fromLatin1(digest.left(16)));
    }
    return QFile::encodeName(path).size() > maxPathBytes ? QString() : path;
}

namespace {

// Everything but "%" and control characters stays as it is: a long address of any script
// keeps to about its UTF-8 length.
QByteArray encodeLine(const QString &address)
{
    static const QByteArray kept = [] {
        QByteArray bytes;
        for (int c = 0x20; c < 0x100; ++c) {
            if (c != '%' && c != 0x7f)
                bytes += char(c);
        }
        return bytes;
    }();
    return QUrl::toPercentEncoding(address, kept) + '\n';
}

} // namespace

QList<QByteArray> encodeAll(const QStringList &addresses)
{
    QList<QByteArray> messages;
    QByteArray message = header;
    int count = 0;
    const auto close = [&] {
        messages << message + '\n';
        message = header;
        count = 0;
    };
    for (const QString &address : addresses) {
        const QByteArray line = encodeLine(address);
        if (header.size() + line.size() + 1 > maxMessageBytes)
            continue;
        if (message.size() + line.size() + 1 > maxMessageBytes || count == maxAddresses)
            close();
        message += line;
        ++count;
    }
    if (count > 0 || messages.isEmpty())
        close();
    return messages;
}

std::optional<QStringList> decode(const QByteArray &message)
{
    if (message.size() > maxMessageBytes || !message.startsWith(header)
        || !message.endsWith("\n\n"))
        return std::nullopt;
    const QByteArray body = message.mid(header.size(), message.size() - header.size() - 1);
    QStringList addresses;
    for (const QByteArray &line : body.split('\n')) {
        if (line.isEmpty())
            continue;
        const QString address = QUrl::fromPercentEncoding(line);
        if (address.isEmpty() || addresses.size() >= maxAddresses)
            return std::nullopt;
        addresses << address;
    }
    // Only the last line may be empty.
    if (body.count('\n') != addresses.size())
        return std::nullopt;
    return addresses;
}

HandOver handOver(const QString &path, const QStringList &addresses, int timeoutMs)
{
    bool first = true;
    for (const QByteArray &message : encodeAll(addresses)) {
        QLocalSocket socket;
        socket.connectToServer(path);
        if (!socket.waitForConnected(timeoutMs))
            return first && socket.error() != QLocalSocket::SocketTimeoutError ? HandOver::NoBrowser
                                                                               : HandOver::NoAnswer;
        first = false;
        socket.write(message);
        if (!socket.waitForBytesWritten(timeoutMs))
            return HandOver::NoAnswer;
        while (!socket.canReadLine() && socket.waitForReadyRead(timeoutMs)) { }
        if (socket.readLine() != "OK\n")
            return HandOver::NoAnswer;
    }
    return HandOver::Taken;
}

} // namespace OneWindow

OneWindowServer::OneWindowServer(QObject *parent)
    : QObject(parent)
    , m_server(new QLocalServer(this))
{
    // Only this user may connect (the runtime folder is private as well).
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &OneWindowServer::accept);
}

OneWindowServer::~OneWindowServer() = default;

bool OneWindowServer::listen(const QString &path)
{
    if (path.isEmpty())
        return false;
    if (m_server->listen(path))
        return true;
    // Left by a browser that crashed: nothing answers there, or the caller would have
    // handed its addresses over instead of starting.
    QLocalServer::removeServer(path);
    return m_server->listen(path);
}

void OneWindowServer::accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        if (!sameUser(socket)) {
            drop(socket, "a connection from another user");
            continue;
        }
        m_pending.insert(socket, QByteArray());
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            if (m_pending.remove(socket))
                socket->deleteLater();
        });
        QTimer::singleShot(readTimeoutMs, socket, [this, socket] {
            if (m_pending.contains(socket))
                drop(socket, "a message that did not end in time");
        });
    }
}

void OneWindowServer::read(QLocalSocket *socket)
{
    if (!m_pending.contains(socket))
        return;
    QByteArray &message = m_pending[socket];
    message += socket->read(OneWindow::maxMessageBytes + 1 - message.size());
    if (message.size() > OneWindow::maxMessageBytes) {
        drop(socket, "an oversized message");
        return;
    }
    if (!header.startsWith(message.left(header.size()))) {
        drop(socket, "a malformed message");
        return;
    }
    if (message.size() <= header.size() || !message.endsWith("\n\n"))
        return; // more to come
    const auto addresses = OneWindow::decode(message);
    if (!addresses) {
        drop(socket, "a malformed message");
        return;
    }
    m_pending.remove(socket);
    // Written out now: the socket goes before the event loop would write it.
    socket->write("OK\n");
    socket->flush();
    socket->disconnectFromServer();
    socket->deleteLater();
    emit addressesReceived(*addresses);
}

void OneWindowServer::drop(QLocalSocket *socket, const char *why)
{
    qWarning("tessarvine: ignored %s from another start", why);
    m_pending.remove(socket);
    socket->abort();
    socket->deleteLater();
}

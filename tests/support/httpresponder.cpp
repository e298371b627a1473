#include "support/httpresponder.h"

#include <QFile>
#include <QPointer>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

HttpResponder::HttpResponder(QObject *parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
{
    start();
}

HttpResponder::HttpResponder(
    const QString &certificateFile, const QString &keyFile, QObject *parent)
    : QObject(parent)
    , m_tls(true)
{
    QFile certificate(certificateFile);
    QFile key(keyFile);
    certificate.open(QIODevice::ReadOnly);
    key.open(QIODevice::ReadOnly);
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(QSslCertificate(certificate.readAll()));
    configuration.setPrivateKey(QSslKey(key.readAll(), QSsl::Rsa));
    auto *server = new QSslServer(this);
    server->setSslConfiguration(configuration);
    m_server = server;
    start();
}

void HttpResponder::start()
{
    take(m_server);
    m_server->listen(QHostAddress::LocalHost);
}

void HttpResponder::take(QTcpServer *server)
{
    // Raised only once a connection is ready to read: for HTTPS, after the handshake.
    connect(server, &QTcpServer::pendingConnectionAvailable, this, [this, server] {
        while (QTcpSocket *socket = server->nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            if (socket->bytesAvailable() > 0)
                serve(socket);
        }
    });
}

bool HttpResponder::listenAlso(const QHostAddress &address)
{
    auto *server = new QTcpServer(this);
    take(server);
    return server->listen(address, serverPort());
}

quint16 HttpResponder::serverPort() const
{
    return m_server->serverPort();
}

QString HttpResponder::url(const QByteArray &path) const
{
    return (m_tls ? QStringLiteral("https://") : QStringLiteral("http://")) + address(path);
}

QString HttpResponder::address(const QByteArray &path) const
{
    return QStringLiteral("127.0.0.1:%1").arg(serverPort()) + QString::fromLatin1(path);
}

void HttpResponder::serve(QTcpSocket *socket)
{
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n") || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);

    const QList<QByteArray> line = request.left(request.indexOf("\r\n")).split(' ');
    QByteArray target = line.size() > 1 ? line.at(1) : QByteArray("/");
    // Asked as a proxy, with the whole address: answered by its path all the same.
    if (target.startsWith("http://")) {
        const qsizetype slash = target.indexOf('/', 7);
        target = slash < 0 ? QByteArray("/") : target.mid(slash);
    }
    requested << target;
    const QByteArray path
        = target.left(target.indexOf('?') < 0 ? target.size() : target.indexOf('?'));
    Response response = m_routes.value(
        path, Response { 404, "text/html", "<html><body>Not found</body></html>", 0, {} });
    if (!m_routes.contains(path) && m_routes.contains(target))
        response = m_routes.value(target);

    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " X\r\n";
    head += "Content-Type: " + response.contentType + "\r\n";
    head += "Content-Length: "
        + QByteArray::number(
            response.claimedLength >= 0 ? response.claimedLength : response.body.size())
        + "\r\n";
    for (const auto &[name, value] : response.headers)
        head += name + ": " + value + "\r\n";
    head += "Connection: close\r\n\r\n";
    const QByteArray answer = head + response.body;

    QPointer<QTcpSocket> guard(socket);
    auto send = [guard, answer] {
        if (!guard || guard->state() != QAbstractSocket::ConnectedState)
            return;
        guard->write(answer);
        guard->disconnectFromHost();
    };
    if (response.delayMs > 0)
        QTimer::singleShot(response.delayMs, socket, send);
    else
        send();
}

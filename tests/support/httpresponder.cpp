#include "support/httpresponder.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

HttpResponder::HttpResponder(QObject *parent)
    : QTcpServer(parent)
{
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        }
    });
    listen(QHostAddress::LocalHost);
}

QString HttpResponder::url(const QByteArray &path) const
{
    return QStringLiteral("http://") + address(path);
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
    const QByteArray target = line.size() > 1 ? line.at(1) : QByteArray("/");
    requested << target;
    const QByteArray path
        = target.left(target.indexOf('?') < 0 ? target.size() : target.indexOf('?'));
    Response response = m_routes.value(
        path, Response { 404, "text/html", "<html><body>Not found</body></html>", 0, {} });
    if (!m_routes.contains(path) && m_routes.contains(target))
        response = m_routes.value(target);

    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " X\r\n";
    head += "Content-Type: " + response.contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
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

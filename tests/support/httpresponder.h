#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class QHostAddress;
class QTcpServer;
class QTcpSocket;

// A small HTTP server on 127.0.0.1 for the engine tests: answers GET requests by path
// with what the test set, optionally after a delay, and closes each connection. With a
// certificate and key it speaks HTTPS.
class HttpResponder final : public QObject
{
    Q_OBJECT
public:
    struct Response
    {
        int status = 200;
        QByteArray contentType = "text/html; charset=utf-8";
        QByteArray body;
        int delayMs = 0;
        QList<QPair<QByteArray, QByteArray>> headers;
        // The length the answer claims, when it is to be cut short; the body's own if not.
        qint64 claimedLength = -1;
    };

    explicit HttpResponder(QObject *parent = nullptr);
    // HTTPS with the PEM certificate and key files given.
    HttpResponder(
        const QString &certificateFile, const QString &keyFile, QObject *parent = nullptr);

    void route(const QByteArray &path, Response response) { m_routes.insert(path, response); }
    void page(const QByteArray &path, const QByteArray &html)
    {
        route(path, { 200, "text/html; charset=utf-8", html, 0, {} });
    }
    quint16 serverPort() const;
    // Answers on another loopback address too (127.0.0.2, say), on the same port: a
    // distinct site to the engine.
    bool listenAlso(const QHostAddress &address);
    // "http://127.0.0.1:port" (or https) and the path.
    QString url(const QByteArray &path = "/") const;
    // "127.0.0.1:port" and the path: an address without a scheme.
    QString address(const QByteArray &path = "/") const;
    // Paths requested so far, query included, in order.
    QList<QByteArray> requested;

private:
    void start();
    void take(QTcpServer *server);
    void serve(QTcpSocket *socket);

    QTcpServer *m_server = nullptr;
    bool m_tls = false;
    QHash<QByteArray, Response> m_routes;
};

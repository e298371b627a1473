#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QTcpServer>

// A small HTTP server on 127.0.0.1 for the engine tests: answers GET requests by path
// with what the test set, optionally after a delay, and closes each connection.
class HttpResponder final : public QTcpServer
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
    };

    explicit HttpResponder(QObject *parent = nullptr);

    void route(const QByteArray &path, Response response) { m_routes.insert(path, response); }
    void page(const QByteArray &path, const QByteArray &html)
    {
        route(path, { 200, "text/html; charset=utf-8", html, 0, {} });
    }
    // "http://127.0.0.1:port" and the path.
    QString url(const QByteArray &path = "/") const;
    // "127.0.0.1:port" and the path: an address without a scheme.
    QString address(const QByteArray &path = "/") const;
    // Paths requested so far, query included, in order.
    QList<QByteArray> requested;

private:
    void serve(QTcpSocket *socket);

    QHash<QByteArray, Response> m_routes;
};

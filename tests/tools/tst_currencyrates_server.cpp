#include "tst_currencyrates_server.h"

#include <QHostAddress>
#include <QTimer>

FeedServer::FeedServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, &FeedServer::onConnection);
}

bool FeedServer::listen() { return m_server.listen(QHostAddress::LocalHost, 0); }

QString FeedServer::base() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }

void FeedServer::respond(int status, const QByteArray &body, int delayMs)
{
    m_mode = Mode::Respond;
    m_status = status;
    m_body = body;
    m_delayMs = delayMs;
}

void FeedServer::onConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        socket->setProperty("buffer", QByteArray());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket]() { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void FeedServer::onReadyRead(QTcpSocket *socket)
{
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    socket->setProperty("buffer", buffer);
    const int end = buffer.indexOf("\r\n\r\n");
    if (end < 0 || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);
    const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
    m_paths.append(requestLine.size() > 1 ? requestLine.at(1) : QByteArray());
    if (m_mode == Mode::Hang)
        return;
    QPointer<QTcpSocket> guard(socket);
    QTimer::singleShot(m_delayMs, this, [this, guard]() {
        if (guard)
            answer(guard);
    });
}

void FeedServer::answer(QTcpSocket *socket)
{
    QByteArray reply = "HTTP/1.1 " + QByteArray::number(m_status) + (m_status < 400 ? " OK" : " Error") + "\r\n";
    reply += "Content-Type: text/xml\r\nConnection: close\r\nContent-Length: " + QByteArray::number(m_body.size()) +
             "\r\n\r\n" + m_body;
    socket->write(reply);
    socket->disconnectFromHost();
}
